#include "core/common/Messages.h"

#include "core/common/PasswordMask.h"

#include <cstdio>

namespace Msg {

namespace {
Responder* g_responder = nullptr;

Answer ask(Kind kind, Buttons buttons, const QString& caption, const QString& text,
           const QString& checkBox = QString(), bool* checked = nullptr) {
    // A message may quote a server address or the driver's words about it.
    Request r{kind, buttons, HidePasswords(caption), HidePasswords(text), checkBox, checked};
    if (g_responder)
        return g_responder->respond(r);
    QString shown = r.text;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    std::fprintf(stderr, "%s: %s\n", qPrintable(r.caption), qPrintable(shown));
    return buttons == Buttons::Ok      ? Answer::Ok
           : buttons == Buttons::YesNo ? Answer::No
                                       : Answer::Cancel;
}
} // namespace

QString defaultCaption() {
    return QStringLiteral("Tesvane賃金");
}

void setResponder(Responder* responder) {
    g_responder = responder;
}
Responder* responder() {
    return g_responder;
}

void info(const QString& text, const QString& caption) {
    ask(Kind::Information, Buttons::Ok, caption, text);
}
void warning(const QString& text, const QString& caption) {
    ask(Kind::Warning, Buttons::Ok, caption, text);
}
void error(const QString& text, const QString& caption) {
    ask(Kind::Error, Buttons::Ok, caption, text);
}
bool yesNo(const QString& text, const QString& caption) {
    return ask(Kind::Question, Buttons::YesNo, caption, text) == Answer::Yes;
}
bool yesNo(const QString& text, const QString& checkBox, bool* checked, const QString& caption) {
    return ask(Kind::Question, Buttons::YesNo, caption, text, checkBox, checked) == Answer::Yes;
}
bool okCancel(const QString& text, const QString& caption) {
    return ask(Kind::Question, Buttons::OkCancel, caption, text) == Answer::Ok;
}

} // namespace Msg
