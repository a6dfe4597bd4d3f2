#pragma once

#include "core/analysis/ReferenceFields.h"
#include "core/common/CompanySettings.h"
#include "core/masters/ListMove.h"
#include "data/db/SaveOutcome.h"
#include "gui/common/FieldExits.h"

#include <QDialog>
#include <QVector>
#include <functional>

class QBoxLayout;
class QComboBox;
class QLineEdit;
class QPushButton;

// A screen that edits one record at a time: the four move buttons over the list of codes with
// the position shown beside them, the question before unsaved edits are dropped, closing
// (the close button, the window's, Escape) under that question, and the record as another
// person stored it shown in place of the edits when a save is refused over their change.
class RecordEditor : public QDialog {
    Q_OBJECT
public:
    ~RecordEditor() override;

    // Prepares the screen and shows it modally.
    void start();
    // What start does before showing.
    virtual void prepare() = 0;

public Q_SLOTS:
    void btnFirstClick();
    void btnBackClick();
    void btnNextClick();
    void btnLastClick();
    void btnCloseClick();
    // Escape and the window's close button leave through the close button's rules.
    void reject() override;

protected:
    enum class Moves {
        // Through the codes in code order from the code typed in the code box; a waiting
        // refusal is finished first, and a move that goes nowhere asks nothing.
        ByCode,
        // Through the rows of the list from the chosen row; the question comes first.
        ByRow
    };
    // Where the screen stands: the code shown (0 none) and its row in the list (from 1, 0
    // none). By code, `refused` says the code box's text was refused and reported.
    struct Place {
        int code = 0;
        int row = 0;
        bool noCode = false; // the code box is empty: back and next go to the ends
        bool refused = false;
    };
    // What the form holds.
    enum class Holds {
        Nothing, // cleared
        NewCode, // a code without a stored record
        Stored
    };

    // `name` the window's object name, `title` its caption (with [*] for unsaved edits).
    RecordEditor(QWidget* parent, Moves moves, const QString& name, const QString& title);
    // The masters' window: modal, of one fixed size.
    void fixMasterWindow();
    // Every start shows the window centred over the main window, wherever it was moved.
    void centreOnStart() { m_centredOnStart = true; }

    // ---- Controls
    // Makes the move buttons and the position boxes (current / last); called where they
    // belong in the screen's order of creation, which is also its order of focus.
    void buildMoves(int positionLength = 0);
    void addMoveButtons(QBoxLayout* row);
    void addPosition(QBoxLayout* row);
    // A master's top row: the code box after its caption, then the moves and the position.
    QComboBox* addCodeRow(QBoxLayout* form, const QString& caption, const QString& name, int width);
    // A command button as every record screen has them: no default, reached by Tab.
    QPushButton* commandButton(const QString& name, const QString& text);
    // The close button, with the close button's rules.
    QPushButton* closeButton();
    // A master's commands at the foot of the form: 登　録, 削　除, ｷｬﾝｾﾙ (named `cancelName`)
    // and 閉じる. Moving onto cancel or close runs no field check.
    void addMasterCommands(QBoxLayout* form, const QString& cancelName,
                           const std::function<void()>& add, const std::function<void()>& remove,
                           const std::function<void()>& cancel);
    // The user changed a field; what the screen fills in while `m_loading` is not a change.
    void markChanged();

    // ---- The code box
    // Typing or choosing marks its code to be taken when the box is left (by `exit`); a
    // choice from the list is taken at once. `rule` checks a typed code.
    using CodeRule = std::function<CodeBoxCheck(const QString& text)>;
    void watchCodeBox(QComboBox* box, CodeRule rule, const std::function<bool()>& exit,
                      FieldExits::OnCommand onCommand = FieldExits::OnCommand::Check);
    // A master's code: a whole number above 0, 0 refused with `zeroRefusal`.
    static CodeRule masterCode(const QString& zeroRefusal);
    // The box's text as leaving the box takes it: the code, or 0 when nothing was typed or
    // the box was emptied (`emptied`), or `refused` (reported, the focus back in the box).
    struct TypedCode {
        int code = 0;
        bool emptied = false;
        bool refused = false;
    };
    TypedCode takeTypedCode();
    // The code the box shows: 0 when it is empty, -1 when it is refused (reported).
    int typedCode();
    // False, having said `noCode` and put the focus in the box, when the box is empty.
    bool codeEntered(const QString& noCode);
    // Replaces the box's list; the box keeps the text it shows.
    static void fillCodeBox(QComboBox* box, const QStringList& items);

    // ---- The list the moves walk
    // The codes, in the list's order.
    void setCodes(QVector<int> codes);
    const QVector<int>& codes() const { return m_moveCodes; }
    // The row of a code in the list (from 1), 0 when it is not listed.
    int rowOf(int code) const;
    // A master's code list as the moves walk it, and as its code box lists it ("code : name").
    static QVector<int> codeNumbers(const CodeList& codes);
    static QStringList codeItems(const CodeList& codes);
    // One last line of the question before every move, in place of the move's own.
    void setMoveQuestionLine(const QString& line) { m_moveQuestion = line; }

    // ---- Dropping, deleting and refused saves
    // Asks before unsaved edits are dropped; false when the user keeps them: then `kept` runs,
    // or without one focusKeptEdits. `lastLine` says what No does.
    bool askBeforeDropping(const QString& lastLine, const std::function<void()>& kept = {});
    // "ﾃﾞｰﾀを削除しますか？": true when the user says Yes.
    static bool confirmDelete(const QString& caption);
    // Before a master's delete: the code shown, once the user said Yes; 0 when the code box is
    // empty (said so), nothing is `loaded`, the code is refused, or the user said No (the
    // focus then goes to `onNo`).
    int codeToDelete(const QString& noCode, bool loaded, QWidget* onNo);
    // After a save: true when it was refused because another person changed the record since
    // it was loaded (they were told why); the list and that record as stored now have then
    // replaced the edits.
    bool showChangedByOther(const SaveResult& saved, int code);

    void closeEvent(QCloseEvent* event) override;

    // ---- What each screen does
    // Where the screen stands for the moves; by code, the code box's code.
    virtual Place place();
    // Shows the record a move reached, as stored, with nothing changed.
    virtual void showMoved(ListMove move, int code, int row) = 0;
    // The focus after the user chose to keep the edits.
    virtual void focusKeptEdits() = 0;
    // Reads the list again and shows the record as stored now.
    virtual void reloadStored(int code) = 0;

    FieldExits* m_exits;
    bool m_codeTyped = false; // the code box holds a code typed or chosen and not yet taken
    bool m_loading = false;
    Holds m_holds = Holds::Nothing;
    QLineEdit* txtCureentNo = nullptr;
    QLineEdit* txtLastNo = nullptr;

private:
    void move(ListMove move);
    QString questionLine(ListMove move) const;
    // By code: the code and row a move goes to; code 0 nowhere, -1 refused.
    std::pair<int, int> codeTarget(ListMove move);

    QPushButton* btnFirst = nullptr;
    QPushButton* btnBack = nullptr;
    QPushButton* btnNext = nullptr;
    QPushButton* btnLast = nullptr;
    const Moves m_moves;
    bool m_centredOnStart = false;
    QVector<int> m_moveCodes;
    QString m_moveQuestion;
    QComboBox* m_codeBox = nullptr;
    CodeRule m_codeRule;
    bool m_closing = false;
};
