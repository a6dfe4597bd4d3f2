#pragma once

#include <QObject>
#include <functional>

class QAbstractItemView;
class QModelIndex;

// A press in a list reaches the list only when the screen lets it go to the row under the
// mouse (a screen with unsaved input asks first). A refused press, and the drag and release
// that follow it, never reach the list, so its cursor and highlight stay where they were.
class ListPressGuard : public QObject {
    Q_OBJECT
public:
    // index is invalid for a press below the rows.
    using MayChoose = std::function<bool(const QModelIndex& index)>;

    ListPressGuard(QAbstractItemView* view, MayChoose mayChoose);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractItemView* m_view;
    // Kept apart from the view: the viewport still sends events while the view is being
    // destroyed, when the view can no longer be asked for it.
    QObject* m_viewport;
    MayChoose m_mayChoose;
    bool m_refused = false; // the press was kept from the list; so is the rest of the click
};
