#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <functional>

class QWidget;

// Leaving a field, the same on every screen: when the user leaves a watched field its exit
// check runs at once; a refused text is reported, the focus goes back into the field and the
// text is selected. Focus moves caused by the message box, a drop-down list, another window
// or the refocus itself are not leaving. Enter moves on to the next field, and a command first
// runs the check of the field that holds the focus.
class FieldExits : public QObject {
    Q_OBJECT
public:
    // True when the text is accepted; a check refuses through refuse().
    using Check = std::function<bool()>;
    enum class OnCommand { Check, Skip };

    explicit FieldExits(QWidget* form);

    // Watches a field: Enter moves on from it, and its check (if any) runs when it is left.
    void add(QWidget* field, Check check = {}, OnCommand onCommand = OnCommand::Check);
    // Moving the focus onto this button is not leaving the field (cancel, close).
    void passWithoutCheck(QWidget* button);
    // Shows the page that holds a refused field before the focus goes back to it.
    void setShowField(std::function<void(QWidget*)> show) { m_showField = std::move(show); }
    // Enter on any other control of the form: a push button is clicked, anything else moves on.
    void setEnterClicksButtons(bool on) { m_enterClicksButtons = on; }

    // Reports a refused text and gives the field the focus back; always false.
    bool refuse(QWidget* field, const QString& message);
    // Before a command: settles, then runs the check of the field holding the focus.
    bool checkFocused();
    // Finishes a refusal still waiting to give the focus back; false when there was one.
    bool settle();
    // Drops a refusal still waiting (the form is being reloaded).
    void forget() { m_waiting = nullptr; }
    // The screen moving the focus itself: nothing is left.
    void moveFocus(QWidget* field);
    // The watched field holding the focus, or nullptr.
    QWidget* focusedField() const;
    // Called first thing in the form's destructor: the form hides on its way out, which moves
    // the focus; neither the checks nor the form's handlers may see that half-destroyed form.
    void detach();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void leave(QWidget* field, Qt::FocusReason reason);
    void returnFocus(QWidget* field);
    void moveOn();
    void swallowNextPress(QWidget* target);

    QWidget* m_form;
    QHash<QWidget*, Check> m_checks; // every watched field, with or without a check
    QSet<QWidget*> m_notOnCommand;
    QSet<QWidget*> m_passButtons;
    std::function<void(QWidget*)> m_showField;
    bool m_enterClicksButtons = false;
    bool m_busy = false;         // a check or its refusal is moving the focus
    bool m_leaving = false;      // the check runs inside the focus move that left the field
    QPointer<QWidget> m_waiting; // refused while its page was being hidden
    QPointer<QWidget> m_swallow; // the click that tried to leave a refused field
};
