#pragma once

#include <QString>

// Every message box and question of the program goes through here, so that the GUI shows
// real boxes, the command-line companion prints, and tests script the answers.
namespace Msg {

enum class Kind { Information, Warning, Error, Question };
enum class Buttons { Ok, YesNo, OkCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct Request {
    Kind kind = Kind::Information;
    Buttons buttons = Buttons::Ok;
    QString caption;
    QString text;
    QString checkBox;        // a check box under the text, when not empty
    bool* checked = nullptr; // its state: shown as it is, set to what the user left
};

class Responder {
public:
    virtual ~Responder() = default;
    virtual Answer respond(const Request& request) = 0;
};

QString defaultCaption(); // "Tesvane賃金"

// Installs the responder (not owned); nullptr prints to standard error and answers No/Cancel.
void setResponder(Responder* responder);
Responder* responder();

void info(const QString& text, const QString& caption = defaultCaption());
void warning(const QString& text, const QString& caption = defaultCaption());
void error(const QString& text, const QString& caption = defaultCaption());
// Lines of a question are joined with carriage returns by the caller.
bool yesNo(const QString& text, const QString& caption = defaultCaption());
bool okCancel(const QString& text, const QString& caption = defaultCaption());
// A Yes/No question with a check box (`checkBox` its caption); `checked` holds its state before
// and after the question.
bool yesNo(const QString& text, const QString& checkBox, bool* checked,
           const QString& caption = defaultCaption());

} // namespace Msg
