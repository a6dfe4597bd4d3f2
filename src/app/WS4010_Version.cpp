#include "app/WS4010_Version.h"

#include "app/Artwork.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TWS4010::TWS4010(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("WS4010"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(128, 255, 0));
    panel->setPalette(pal);
    panel->setFrameShape(QFrame::StyledPanel);

    auto* grid = new QGridLayout(panel);
    auto* pic = new QLabel(panel);
    pic->setObjectName(QStringLiteral("ProgramIcon"));
    pic->setPixmap(ProductPicture(QSize(120, 104)));
    grid->addWidget(pic, 0, 0, 3, 1);
    auto text = [&](const char* name, const QString& t, int row) {
        auto* l = new QLabel(t, panel);
        l->setObjectName(QString::fromLatin1(name));
        grid->addWidget(l, row, 1);
        return l;
    };
    QLabel* product = text("ProductName", QStringLiteral("Tesvane賃金"), 0);
    QFont f = product->font();
    f.setPointSize(f.pointSize() + 4);
    f.setBold(true);
    product->setFont(f);
    text("Model", QStringLiteral("賃金設計ワークベンチ"), 1);
    text("Version", QStringLiteral("Version %1").arg(QStringLiteral(TESVANE_VERSION)), 2);

    btnClose = new QPushButton(QStringLiteral("閉じる"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* lay = new QVBoxLayout(this);
    lay->addWidget(panel);
    lay->addWidget(btnClose, 0, Qt::AlignHCenter);
    setFixedSize(sizeHint());
}
