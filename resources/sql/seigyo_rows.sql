-- Rows every delivered control file starts with: the era table, the templates a new company
-- copies, and the shared model wage series.

-- Eras with their official first days; 令和 is selected.
INSERT INTO MSEIGYO (CO, REKI1, SNEN1, STSUKI1, SHI1, REKI2, SNEN2, STSUKI2, SHI2,
                     REKI3, SNEN3, STSUKI3, SHI3, FREKI)
VALUES (0, '昭和', 1926, 12, 25, '平成', 1989, 1, 8, '令和', 2019, 5, 1, 2);

-- Plot marks: filled symbols for men, open ones for women; one shape per kind of work.
INSERT INTO MMMARK (KCO, NENDO, MKCO, MARK, HANREI, MKCOLOR, MKSIZE, KCOLOR, KSYURUI, KHABA) VALUES
    (0, 9999, 1, '■', '男子営業', 'clBlue', 12, 'clBlue', 1, 1),
    (0, 9999, 2, '□', '女子営業', 'clRed', 12, 'clRed', 1, 1),
    (0, 9999, 3, '●', '男子事務', 'clGreen', 12, 'clGreen', 1, 1),
    (0, 9999, 4, '○', '女子事務', 'clFuchsia', 12, 'clFuchsia', 1, 1),
    (0, 9999, 5, '▲', '男子技術', 'clTeal', 12, 'clTeal', 1, 1),
    (0, 9999, 6, '△', '女子技術', 'clMaroon', 12, 'clMaroon', 1, 1);

-- Graph styles: 1 axes, 2 ticks, 3 grid, 4 centre lines (line kinds 1 solid, 2 dotted, 3 dash-dot).
INSERT INTO MMGRAPH (KCO, NENDO, GSCO, CCOLOR, CSYURUI, CHABA) VALUES
    (0, 9999, 1, 'clBlack', 1, 1),
    (0, 9999, 2, 'clBlack', 1, 1),
    (0, 9999, 3, 'clSilver', 2, 1),
    (0, 9999, 4, 'clRed', 3, 1);

-- Model series 1: 広島県商工会議所連合会「広島のモデル賃金」令和3年度, office work.
-- Only scheduled pay is published, so base pay repeats it; bonus and annual pay are not
-- published and stay 0 rather than being made up. The number of responding firms is not
-- published either (JSU 0; the remarks give the number of firms asked).
INSERT INTO MDEL (MDCO, MDNA, DEDOKORO, TCHIIKI, JSU, CJITEN, GYOUSYU, KIBO, BIKOU) VALUES
    (1, '広島のモデル賃金(事務・所定内)', '広島県商工会議所連合会', '広島県', 0, '2021年7月',
     '全産業', '規模計',
     '令和3年度「広島のモデル賃金」' || char(13) || char(10) ||
     '県内13商工会議所が会員企業3,391社に調査' || char(13) || char(10) ||
     '事務系の所定内賃金(千円)' || char(13) || char(10) ||
     '所定内賃金のみ公表のため基本給にも同額を入力' || char(13) || char(10) ||
     '賞与・年収は公表がないため0' || char(13) || char(10) ||
     '実線:大学卒(勤続・経験＝年齢－22)' || char(13) || char(10) ||
     '点線:高校卒(勤続・経験＝年齢－18)');

-- Service and experience: age - 22 for university graduates, age - 18 for high school.
INSERT INTO MDCHINGIN (MDCO, MCCO, NENREI, KNENSU, KKNENSU, KKIN, SKIN, SYOUYO, NENSYU, SENSYU) VALUES
    (1, 1, 22, 0, 0, 204, 204, 0, 0, 1),
    (1, 2, 25, 3, 3, 223, 223, 0, 0, 1),
    (1, 3, 30, 8, 8, 256, 256, 0, 0, 1),
    (1, 4, 35, 13, 13, 295, 295, 0, 0, 1),
    (1, 5, 40, 18, 18, 339, 339, 0, 0, 1),
    (1, 6, 50, 28, 28, 411, 411, 0, 0, 1),
    (1, 7, 55, 33, 33, 449, 449, 0, 0, 1),
    (1, 8, 60, 38, 38, 403, 403, 0, 0, 1),
    (1, 9, 18, 0, 0, 173, 173, 0, 0, 2),
    (1, 10, 20, 2, 2, 177, 177, 0, 0, 2),
    (1, 11, 30, 12, 12, 233, 233, 0, 0, 2),
    (1, 12, 40, 22, 22, 295, 295, 0, 0, 2),
    (1, 13, 50, 32, 32, 375, 375, 0, 0, 2),
    (1, 14, 55, 37, 37, 375, 375, 0, 0, 2),
    (1, 15, 60, 42, 42, 321, 321, 0, 0, 2);

-- Model series 2: 厚生労働省 賃金構造基本統計調査 令和3年, scheduled cash earnings of June.
-- Each age band is placed at its middle age. The survey gives no single service or
-- experience for a model worker of a band, so those stay 0 (said in the remarks).
INSERT INTO MDEL (MDCO, MDNA, DEDOKORO, TCHIIKI, JSU, CJITEN, GYOUSYU, KIBO, BIKOU) VALUES
    (2, '賃金構造基本統計調査(所定内給与)', '厚生労働省', '全国', 0, '2021年6月',
     '産業計', '常用労働者10人以上',
     '令和3年賃金構造基本統計調査' || char(13) || char(10) ||
     '民営事業所(常用労働者10人以上)の一般労働者' || char(13) || char(10) ||
     '6月分の所定内給与額(千円)' || char(13) || char(10) ||
     '年齢階級の中央の年齢に置く(20～24歳→22歳)' || char(13) || char(10) ||
     '所定内給与のみのため基本給にも同額を入力' || char(13) || char(10) ||
     '勤続・経験年数は設定なし(0)、賞与・年収も0' || char(13) || char(10) ||
     '実線:男女計　点線:男　一点鎖線:女');

INSERT INTO MDCHINGIN (MDCO, MCCO, NENREI, KNENSU, KKNENSU, KKIN, SKIN, SYOUYO, NENSYU, SENSYU) VALUES
    (2, 1, 22, 0, 0, 213.1, 213.1, 0, 0, 1),
    (2, 2, 27, 0, 0, 246.2, 246.2, 0, 0, 1),
    (2, 3, 32, 0, 0, 275.8, 275.8, 0, 0, 1),
    (2, 4, 37, 0, 0, 305.0, 305.0, 0, 0, 1),
    (2, 5, 42, 0, 0, 328.0, 328.0, 0, 0, 1),
    (2, 6, 47, 0, 0, 344.3, 344.3, 0, 0, 1),
    (2, 7, 52, 0, 0, 366.2, 366.2, 0, 0, 1),
    (2, 8, 57, 0, 0, 365.5, 365.5, 0, 0, 1),
    (2, 9, 62, 0, 0, 292.8, 292.8, 0, 0, 1),
    (2, 10, 22, 0, 0, 215.4, 215.4, 0, 0, 2),
    (2, 11, 27, 0, 0, 253.3, 253.3, 0, 0, 2),
    (2, 12, 32, 0, 0, 290.5, 290.5, 0, 0, 2),
    (2, 13, 37, 0, 0, 327.0, 327.0, 0, 0, 2),
    (2, 14, 42, 0, 0, 357.6, 357.6, 0, 0, 2),
    (2, 15, 47, 0, 0, 382.8, 382.8, 0, 0, 2),
    (2, 16, 52, 0, 0, 412.1, 412.1, 0, 0, 2),
    (2, 17, 57, 0, 0, 413.6, 413.6, 0, 0, 2),
    (2, 18, 62, 0, 0, 318.1, 318.1, 0, 0, 2),
    (2, 19, 22, 0, 0, 210.7, 210.7, 0, 0, 3),
    (2, 20, 27, 0, 0, 236.2, 236.2, 0, 0, 3),
    (2, 21, 32, 0, 0, 248.5, 248.5, 0, 0, 3),
    (2, 22, 37, 0, 0, 260.0, 260.0, 0, 0, 3),
    (2, 23, 42, 0, 0, 269.9, 269.9, 0, 0, 3),
    (2, 24, 47, 0, 0, 270.9, 270.9, 0, 0, 3),
    (2, 25, 52, 0, 0, 277.9, 277.9, 0, 0, 3),
    (2, 26, 57, 0, 0, 273.3, 273.3, 0, 0, 3),
    (2, 27, 62, 0, 0, 234.4, 234.4, 0, 0, 3);
