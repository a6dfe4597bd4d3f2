#include "gui/wage/WS2011_BaseAmounts.h"

#include "core/common/Helpers.h"
#include "data/project/Project.h"
#include "data/wage/WageTableStore.h"
#include "gui/common/Controls.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

TWS2011::TWS2011(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("WS2011"));
    setWindowTitle(QStringLiteral("基準額"));
    Panel1 = Named(new QFrame(this), QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(Panel1);
    grid->setHorizontalSpacing(24);
    for (int g = 1; g <= MaxGrades; ++g) {
        Label00[size_t(g)] = Named(new QLabel(Panel1), QStringLiteral("Label00%1").arg(g));
        Label01[size_t(g)] = Named(new QLabel(Panel1), QStringLiteral("Label01%1").arg(g));
        Label01[size_t(g)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Label01[size_t(g)]->setMinimumWidth(80);
        grid->addWidget(Label00[size_t(g)], g - 1, 0);
        grid->addWidget(Label01[size_t(g)], g - 1, 1);
        Label00[size_t(g)]->installEventFilter(this);
        Label01[size_t(g)]->installEventFilter(this);
    }
    Panel1->installEventFilter(this);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(4, 4, 4, 4);
    v->addWidget(Panel1);

    // While shown, the amounts follow the employees and the wage table wherever they change.
    if (Project* project = Project::current()) {
        const auto follow = [this] {
            if (isVisible())
                refresh();
        };
        connect(project, &Project::employeesChanged, this, follow);
        connect(project, &Project::wageTableChanged, this, follow);
        connect(project, &Project::settingsChanged, this, follow);
    }
}

void TWS2011::refresh() {
    const Project& project = *Project::current();
    GradeNames names;
    for (int g = 1; g <= MaxGrades; ++g)
        names[size_t(g)] = project.settings().TK[size_t(g)];
    const CompanyYear cy = project.companyYear();
    showAmounts(names, LoadBaseAmounts(cy.kco, cy.nendo));
}

void TWS2011::showAmounts(const GradeNames& names,
                          const std::array<qint64, MaxGrades + 1>& amounts) {
    for (int g = 1; g <= MaxGrades; ++g) {
        Label00[size_t(g)]->setText(names[size_t(g)]);
        const qint64 a = amounts[size_t(g)];
        Label01[size_t(g)]->setText(a == 0 ? QString() : FormatAmount(double(a)));
    }
    adjustSize();
    if (!isVisible() && parentWidget()) {
        // Beside the screen that opened it, where it hides none of the scale rows.
        const QRect p = parentWidget()->frameGeometry();
        move(p.right() - width() - 24, p.top() + 120);
    }
    show();
    raise();
}

void TWS2011::mousePressEvent(QMouseEvent* event) {
    close();
    event->accept();
}

bool TWS2011::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
