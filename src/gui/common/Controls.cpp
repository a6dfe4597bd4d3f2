#include "gui/common/Controls.h"

#include "gui/common/DateFields.h"
#include "gui/common/TextFieldValidator.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

QLineEdit* TextEdit(QWidget* parent, const QString& name, int maxLength, int width,
                    Qt::Alignment align) {
    auto* e = Named(new QLineEdit(parent), name);
    // Not setMaxLength: it would cut a longer stored text on its way into the box, and the
    // save would then store it cut.
    e->setValidator(new TextFieldValidator(e, maxLength));
    if (align)
        e->setAlignment(align);
    if (width > 0)
        e->setFixedWidth(width);
    return e;
}

QLineEdit* RightEdit(QWidget* parent, const QString& name, int maxLength, int width) {
    return TextEdit(parent, name, maxLength, width, Qt::AlignRight | Qt::AlignVCenter);
}

QLineEdit* CentredEdit(QWidget* parent, const QString& name, int maxLength, int width) {
    return TextEdit(parent, name, maxLength, width, Qt::AlignHCenter | Qt::AlignVCenter);
}

QLabel* FieldCaption(QWidget* parent, const QString& text, Qt::Alignment align) {
    auto* l = new QLabel(text, parent);
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
}

QComboBox* CodeBox(QWidget* parent, const QString& name, int width) {
    auto* c = Named(new QComboBox(parent), name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    // A typed code is the code: inline completion would turn "1" into "10 : ..." and a
    // command clicked at once would act on employee 10.
    c->setCompleter(nullptr);
    if (width > 0)
        c->setFixedWidth(width);
    return c;
}

QComboBox* EraBox(QWidget* parent, const QString& name, int width) {
    auto* c = Named(new QComboBox(parent), name);
    c->setFixedWidth(width);
    return c;
}

QPushButton* CommandButton(QWidget* parent, const QString& name, const QString& text,
                           Qt::FocusPolicy focus) {
    auto* b = Named(new QPushButton(text, parent), name);
    b->setAutoDefault(false);
    b->setFocusPolicy(focus);
    return b;
}

QHBoxLayout* DateRow(QWidget* parent, const DateFields& f) {
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(f.era);
    row->addWidget(f.year);
    row->addWidget(new QLabel(QStringLiteral("年"), parent));
    row->addWidget(f.month);
    row->addWidget(new QLabel(QStringLiteral("月"), parent));
    row->addWidget(f.day);
    row->addWidget(new QLabel(QStringLiteral("日"), parent));
    row->addStretch(1);
    return row;
}

QList<QRadioButton*> RadioGroup(QWidget* parent, const QString& groupName, const QString& title,
                                const QList<std::pair<QString, QString>>& buttons,
                                QGroupBox** group) {
    auto* box = Named(new QGroupBox(title, parent), groupName);
    auto* column = new QVBoxLayout(box);
    QList<QRadioButton*> made;
    for (const auto& [name, caption] : buttons) {
        made << Named(new QRadioButton(caption, box), name);
        column->addWidget(made.last());
    }
    if (group)
        *group = box;
    return made;
}

QFrame* YellowPanel(QWidget* parent, const QString& name) {
    auto* panel = Named(new QFrame(parent), name);
    panel->setAutoFillBackground(true);
    QPalette yellow = panel->palette();
    yellow.setColor(QPalette::Window, QColor(255, 255, 0));
    panel->setPalette(yellow);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    return panel;
}
