#include "gui/common/TextFieldValidator.h"

#include "core/common/TextInput.h"

#include <QLineEdit>

TextFieldValidator::TextFieldValidator(QLineEdit* edit, int limit)
    : QValidator(edit), m_edit(edit), m_limit(limit) {}

QValidator::State TextFieldValidator::validate(QString& input, int&) const {
    const qsizetype n = CharacterCount(input);
    // The program's own text (setText leaves the box unmodified): taken whole, and its length
    // is what the user may keep.
    if (!m_edit->isModified()) {
        m_given = n;
        return Acceptable;
    }
    if (ForbiddenCharAt(input) >= 0)
        return Invalid;
    if (m_limit > 0 && n > qMax<qsizetype>(m_limit, m_given))
        return Invalid;
    return Acceptable;
}
