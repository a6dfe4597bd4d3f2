#pragma once

#include <QString>
#include <functional>

// The four move buttons of a screen that edits one employee of a list (first, back, next,
// last): which employee a move goes to, from where the screen stands.

enum class ListMove { First, Back, Next, Last };

struct ListCursor {
    bool noCode = false; // the code box is empty: back and next go to the ends
    int currentCode = 0;
    int firstCode = 0;
    int lastCode = 0;
    int currentRow = 0; // 1-based row of the list
    int count = 0;      // rows listed
};

struct ListTarget {
    int code = 0; // 0: the move goes nowhere (at the end already, or nothing listed)
    int row = 0;  // 1-based row shown as the current number
};

// codeAt gives the code of a 1-based row.
ListTarget ListMoveTarget(ListMove move, const ListCursor& at,
                          const std::function<int(int)>& codeAt);

// The last line of the question asked before a move drops unsaved edits.
QString ListMoveQuestionLine(ListMove move);
// The same for a row chosen in the list itself (a click or the arrow keys).
QString ListChoiceQuestionLine();
