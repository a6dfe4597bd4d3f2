#pragma once

#include "core/common/Counts.h"
#include "core/company/BasicSettings.h"

#include <QDialog>
#include <QHash>
#include <QImage>
#include <array>
#include <functional>

class FieldExits;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

// A line sample: a picture 161 pixels wide on which a line is drawn through y = 4.
class TLineSample : public QWidget {
    Q_OBJECT
public:
    explicit TLineSample(QWidget* parent = nullptr);
    // Wipes the line's band and, unless width is 0, draws the line: kind 0 none, 1 solid,
    // 2 dotted, 3 dash-dot.
    void drawLine(const QColor& colour, int kind, int width);
    const QImage& picture() const { return m_picture; }
    QSize sizeHint() const override { return m_picture.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
};

// Basic settings: calendar and age-base options, the era table, the six plot marks and the
// four graph lines of the open company and year.
class TWS0070 : public QDialog {
    Q_OBJECT
public:
    explicit TWS0070(QWidget* parent = nullptr);
    ~TWS0070() override;

    // Loads the open company's settings and shows the screen modally, centred.
    void start();
    // What start does before showing: fills the lists and loads the company's settings.
    void prepare();

    const BasicSettings& values() const { return m_values; }
    SettingsAreas changedAreas() const { return m_changed; }

public Q_SLOTS:
    void btnAddClick();
    void btnCancelClick();
    void btnCloseClick();

    void optKeisan1Click();
    void optKeisan2Click();
    void optSeirekiClick();
    void optWarekiClick();
    void optChgClick(int era); // 1..3

    void cmbSensyuSelect(int mark);
    void cmbSenHabaSelect(int mark);
    void cmbGRSensyuSelect(int line);
    void cmbGRSenHabaSelect(int line);
    void btnColorClick(int mark);
    void btnSenColorClick(int mark);
    void btnGRColorClick(int line);

    void reject() override; // Escape and the window's close box act as 閉じる

private:
    QTabWidget* PageControl1;

    // 日付処理; arrays are indexed from 1 as the controls are numbered
    std::array<QLineEdit*, EraCount + 1> txtNengou{};
    std::array<QLineEdit*, EraCount + 1> txtChgyy{};
    std::array<QLineEdit*, EraCount + 1> txtChgmm{};
    std::array<QLineEdit*, EraCount + 1> txtChgdd{};
    std::array<QRadioButton*, EraCount + 1> optChg{}; // optchg1, optChg2, optChg3
    QLineEdit* txtKijunbi;
    QRadioButton* optKeisan1;
    QRadioButton* optKeisan2;
    QRadioButton* optSeireki;
    QRadioButton* optWareki;

    // マーク設定, [1..6]
    std::array<QLineEdit*, MarkCount + 1> txtMark{};
    std::array<QLineEdit*, MarkCount + 1> txtHanrei{};
    std::array<QPushButton*, MarkCount + 1> btnColor{};
    std::array<QLabel*, MarkCount + 1> labColor{};
    std::array<QComboBox*, MarkCount + 1> cmbMSize{};
    std::array<QPushButton*, MarkCount + 1> btnSenColor{};
    std::array<QComboBox*, MarkCount + 1> cmbSensyu{};
    std::array<QComboBox*, MarkCount + 1> cmbSenHaba{};
    std::array<TLineSample*, MarkCount + 1> imgMihon{};

    // グラフ設定, [1..4]: axes, ticks, grid, centre line
    std::array<QPushButton*, 5> btnGRColor{};
    std::array<QComboBox*, 5> cmbGRSensyu{};
    std::array<QComboBox*, 5> cmbGRSenHaba{};
    std::array<TLineSample*, 5> imgGRMihon{};

    QPushButton* btnAdd;
    QPushButton* btnCancel;
    QPushButton* btnClose;

    // A field checked when the user leaves it: check() takes the text into the held values
    // or returns the message; shown() is the text of the held value.
    struct Field {
        SettingsArea area;
        std::function<QString(const QString&)> check;
        std::function<QString()> shown;
    };

    void buildDatesPage(QWidget* page);
    void buildMarksPage(QWidget* page);
    void buildGraphPage(QWidget* page);
    void addField(QWidget* w, SettingsArea area, std::function<QString(const QString&)> check,
                  std::function<QString()> shown);
    QString fieldText(QWidget* w) const;
    // Runs the check of a field the user has left; false when the text was refused.
    bool leaveField(QWidget* w);
    // Every field whose text is not yet taken is checked, in tab order.
    bool takeTypedFields();
    void refuse(QWidget* w, const QString& message);

    void load();
    void showValues();
    void drawMarkSample(int mark);
    void drawGraphSample(int line);
    void setLineKindBox(QComboBox* box, int kind);
    void setWidthBox(QComboBox* box, int width);
    void changed(SettingsArea area);
    void clearChanged();

    BasicSettings m_values;
    SettingsAreas m_changed = 0;
    QHash<QWidget*, Field> m_fields;
    QList<QWidget*> m_fieldOrder;
    FieldExits* m_exits;
};
