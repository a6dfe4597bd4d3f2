#pragma once

// The sample company of 2023 with the wage plot screen and the plot window, as the tests of
// the plot subsystem drive them.

#include "core/common/AppState.h"
#include "data/project/Project.h"
#include "gui/plot/WS1010_WagePlot.h"
#include "gui/plot/WS1100_PlotWindow.h"
#include "support/gui/ScriptedDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

struct PlotFixture {
    ScreenEnvironment env;
    TWS1100 plot;
    TWS1010 screen{&plot, nullptr};

    PlotFixture() {
        env.setToday(QDate(2024, 6, 15));
        env.openDatabases();
        if (!env.openCompany(1, 2023))
            qFatal("no sample company");
    }

    template <class W = QWidget> W* get(QWidget* form, const QString& name) const {
        return Control<W>(*form, name);
    }
    // Boxes and radio buttons are clicked on their indicator, as a user does.
    void click(QWidget* form, const QString& name) {
        QAbstractButton* b = get<QAbstractButton>(form, name);
        if (qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b))
            QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
        else
            QTest::mouseClick(b, Qt::LeftButton);
    }

    // The wage plot screen as the main window shows it, not modally so the test goes on.
    void openScreen() {
        screen.PrepareScreen();
        screen.show();
        QApplication::setActiveWindow(&screen);
    }

    // Age against the Y item with every mark and grade, then "分　析"; the plot window is then
    // given a known size and drawn again.
    // The window fills the (offscreen) screen unless a size is given.
    void analyse(const QString& yButton = QStringLiteral("optYKihon"), QSize size = {}) {
        if (!screen.isVisible())
            openScreen();
        click(&screen, QStringLiteral("optXNenrei"));
        click(&screen, yButton);
        click(&screen, QStringLiteral("btnPlotAll"));
        click(&screen, QStringLiteral("btnTokyuAll"));
        click(&screen, QStringLiteral("btnAnalize"));
        if (!plot.isVisible())
            qFatal("the plot window did not open");
        if (size.isValid()) {
            plot.resize(size);
            plot.Execute();
        }
        QApplication::setActiveWindow(&plot);
    }

    // Types into a box of the plot window and leaves it with Tab.
    void type(const QString& name, const QString& text, bool leave = true) {
        auto* box = get<QLineEdit>(&plot, name);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
        if (leave)
            QTest::keyClick(box, Qt::Key_Tab);
        QCoreApplication::processEvents();
    }

    // Japanese text arrives as the input method commits it.
    static void compose(QWidget* w, const QString& text) {
        w->setFocus();
        QInputMethodEvent e;
        e.setCommitString(text);
        QApplication::sendEvent(w, &e);
    }

    QString boxText(const QString& name) { return get<QLineEdit>(&plot, name)->text(); }

    QStringList rows(const QString& sql) { return env.rows(TDM::ACN2, sql); }
    int count(const QString& sql) { return env.scalar(TDM::ACN2, sql).toInt(); }
};
