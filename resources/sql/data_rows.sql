-- Shared living-cost standards of the delivered company file.

-- Code 1: 人事院 標準生計費, April 2022, national, thousand yen per month. The authority
-- publishes household sizes 1 to 5 only, so the code has five rows (a sixth would be
-- invented). Head ages and the three rates are setting examples, as NSUCHI says.
INSERT INTO MSEIKEI (KCO, NENDO, SKCO, SNIN, SNENREI, SEIKEIHI, YURITSU, STRITSU, TNRITSU, KKRITSU,
                     DEDOKORO, TCHIIKI, CJITEN, NSUCHI) VALUES
    (0, 0, 1, 1, 22, 114.48, 1.30, 0.80, 1.00, 1.000, '人事院 標準生計費(令和4年勧告)', '全国', '2022年4月', '世帯主年齢と愉楽・最低・単身率は設定例'),
    (0, 0, 1, 2, 28, 178.93, 1.30, 0.80, 1.00, 1.000, '人事院 標準生計費(令和4年勧告)', '全国', '2022年4月', '世帯主年齢と愉楽・最低・単身率は設定例'),
    (0, 0, 1, 3, 32, 196.09, 1.30, 0.80, 1.00, 1.000, '人事院 標準生計費(令和4年勧告)', '全国', '2022年4月', '世帯主年齢と愉楽・最低・単身率は設定例'),
    (0, 0, 1, 4, 38, 213.24, 1.30, 0.80, 1.00, 1.000, '人事院 標準生計費(令和4年勧告)', '全国', '2022年4月', '世帯主年齢と愉楽・最低・単身率は設定例'),
    (0, 0, 1, 5, 45, 230.39, 1.30, 0.80, 1.00, 1.000, '人事院 標準生計費(令和4年勧告)', '全国', '2022年4月', '世帯主年齢と愉楽・最低・単身率は設定例');
