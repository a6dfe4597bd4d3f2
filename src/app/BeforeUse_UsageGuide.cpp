#include "app/BeforeUse_UsageGuide.h"

#include "data/project/UsageGuideStore.h"
#include "gui/common/Controls.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TBeforeUse::TBeforeUse(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("BeforeUse"));
    setWindowTitle(QStringLiteral("ご利用案内"));
    ED_Name = TextEdit(this, QStringLiteral("ED_Name"));
    ED_Name->setReadOnly(true);
    ED_Memo = Named(new QPlainTextEdit(this), QStringLiteral("ED_Memo"));
    ED_Memo->setReadOnly(true);
    BTN_Start = CommandButton(this, QStringLiteral("BTN_Start"), QStringLiteral("|<"));
    BTN_Pre = CommandButton(this, QStringLiteral("BTN_Pre"), QStringLiteral("<"));
    BTN_Next = CommandButton(this, QStringLiteral("BTN_Next"), QStringLiteral(">"));
    BTN_Last = CommandButton(this, QStringLiteral("BTN_Last"), QStringLiteral(">|"));
    BTN_Close = CommandButton(this, QStringLiteral("BTN_Close"), QStringLiteral("閉じる"));

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BTN_Start, BTN_Pre, BTN_Next, BTN_Last})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(BTN_Close);
    auto* lay = new QVBoxLayout(this);
    lay->addWidget(ED_Name);
    lay->addWidget(ED_Memo, 1);
    lay->addLayout(buttons);
    resize(640, 480);

    connect(BTN_Start, &QPushButton::clicked, this, [this] { showEntry(0); });
    connect(BTN_Pre, &QPushButton::clicked, this, [this] { showEntry(m_current - 1); });
    connect(BTN_Next, &QPushButton::clicked, this, [this] { showEntry(m_current + 1); });
    connect(BTN_Last, &QPushButton::clicked, this, [this] { showEntry(entryCount() - 1); });
    connect(BTN_Close, &QPushButton::clicked, this, &QDialog::accept);

    for (const GuidePage& page : LoadUsageGuide()) {
        m_titles << page.title;
        m_texts << page.text;
    }
    showEntry(0);
}

void TBeforeUse::showEntry(int index) {
    if (index < 0 || index >= entryCount())
        return;
    m_current = index;
    ED_Name->setText(m_titles[index]);
    QString text = m_texts[index];
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    ED_Memo->setPlainText(text);
}
