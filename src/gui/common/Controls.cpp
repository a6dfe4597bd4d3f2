#include "gui/common/Controls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

QLineEdit* TextEdit(QWidget* parent, const QString& name, int maxLength, int width,
                    Qt::Alignment align) {
    auto* e = Named(new QLineEdit(parent), name);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
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
