#pragma once

#include "core/plot/ChartScene.h"
#include "core/plot/PlotModel.h"
#include "render/plot/ChartPainter.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class ChartExtension;
class FieldExits;
class PlotOwner;
class QAction;
class QFrame;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;
class TSpinButton;
class TWS1101;
class TWS1102;

// The plot window: one for every chart. It draws the chart an analysis screen built, lets the
// user change the axis range, click an employee's mark for pop-ups, read the analysis, copy
// and print the picture, pick a designed curve (chart 1050), and go back to the screen.
class TWS1100 : public QWidget {
    Q_OBJECT
public:
    explicit TWS1100(QWidget* parent = nullptr);
    ~TWS1100() override;

    // The plot window of a main window, made on first use: one for every analysis screen.
    static TWS1100* forWindow(QWidget* window);

    // Opens the chart an analysis screen has just built: shown maximised, then drawn.
    void ShowPlot(const PlotRequest& request, PlotOwner* owner);
    // "実　行": reads the chart again and places the marks for the current range.
    void Execute();
    // Removes the employees' marks.
    void DestroyMarks();
    // The chart shown; 0 while the window is closed.
    int chartNo() const { return m_chartNo; }
    int markCount() const { return m_model.placed ? int(m_model.points.size()) : 0; }
    const PlotModel& model() const { return m_model; }
    // The scene a repaint draws now.
    ChartScene currentScene() const;
    // The plot area as a picture (what is copied).
    QImage picture() const;
    // Where the employee's mark lies on the window (its centre); nothing when it has none.
    std::optional<QPoint> markCentre(int sco) const;
    QList<TWS1101*> popups() const;

public Q_SLOTS:
    void btnExecClick();
    void btnPrintClick();
    void btnCopyClick();
    void btnBackClick();
    void btnImportClick();
    void btn1DltClick();
    bool txtXMinExit();
    bool txtXMaxExit();
    bool txtYMinExit();
    bool txtYMaxExit();
    bool txtDispNoExit();
    void mnProfileClick();
    void mnJinjiClick();
    void mnCaryaClick();
    void mnSalaryClick();
    void mnCopyClick();
    void mnPrintClick();
    void mnAnalizeClick();
    void mnEndClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Side panel
    QFrame* Panel1;
    QLineEdit* txtXMin;
    QLineEdit* txtXMax;
    QLineEdit* txtYMin;
    QLineEdit* txtYMax;
    TSpinButton* spnXMin;
    TSpinButton* spnXMax;
    TSpinButton* spnYMin;
    TSpinButton* spnYMax;
    QPushButton* btnExec;
    QPushButton* btnPrint;
    QPushButton* btnCopy;
    QPushButton* btnBack;
    QLineEdit* txtDispNo;
    QPushButton* btnImport;
    QPushButton* btn1Dlt;

    // The point menu and the window menu
    QMenu* PopupMenu1;
    QAction* mnProfile;
    QAction* mnJinji;
    QAction* mnCarya;
    QAction* mnSalary;
    QAction* mnExit;
    QMenu* PopupMenu2;
    QAction* mnCopy;
    QAction* mnPrint;
    QAction* mnAnalize;
    QAction* mnEnd;

    TWS1102* WS1102;

    enum class Bound { XMin, XMax, YMin, YMax };
    void buildPanel();
    void buildMenus();
    bool rangeExit(Bound which);
    int& axisValue(Bound which);
    QLineEdit* rangeBox(Bound which) const;
    TSpinButton* rangeSpin(Bound which) const;
    void step(Bound which, int delta);
    void showRange();
    void setSpinBounds();
    void takeGeometry();
    bool plotAreaChanged() const; // the window's size calls for another frame
    void placeMarks();
    void FormMouseDown(QMouseEvent* event);
    void Label6MouseDown(int point, QMouseEvent* event);
    void pick(QPoint at);
    void openPopup(int kind);
    void closePopups();
    void refreshFromData();
    void projectClosed();
    QPoint toScreen(QPoint windowPoint) const;
    int markAt(QPoint at) const;

    PlotModel m_model;
    std::unique_ptr<ChartExtension> m_extension;
    PlotOwner* m_owner = nullptr;
    int m_chartNo = 0;
    bool m_suspended = false;   // no repaint while 実行 rebuilds the cache
    QVector<QRect> m_markBoxes; // per point, empty when it has no mark
    QString m_lastMark;         // the mark last clicked
    int m_lastCurve = 0;        // last valid design curve number
    QList<QPointer<TWS1101>> m_popups;
    FieldExits* m_exits;
    QTimer* m_relayout; // a resized window places its marks again once the size settles
    ChartLayers m_layers;
    quint64 m_generation = 0; // changes whenever the points' labels or marks change
};
