#pragma once

#include "core/raise/EvaluationGrid.h"

#include <QDialog>
#include <QStyledItemDelegate>

class QPushButton;
class QTableWidget;

// Editors of the evaluation grid: numbers right-aligned without the input method, the symbol
// with it. Enter takes the text and asks the screen where to go next.
class EvaluationCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    // Takes the editor's text into its cell and closes it.
    void finish(QWidget* editor);

Q_SIGNALS:
    void enterPressed();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

// Evaluation conversion: the evaluation codes of the open company year with the symbol users
// see and the pay steps each earns.
class TWS3020 : public QDialog {
    Q_OBJECT
public:
    explicit TWS3020(QWidget* parent = nullptr);
    ~TWS3020() override;

    // Loads the codes and shows the screen modally.
    void start();
    // Loads the stored codes into the grid.
    void load();

    // The grid's rows as texts.
    QVector<EvaluationGridRow> rows() const;

public Q_SLOTS:
    void btnAddClick();
    void btnCloseClick();
    // Enter in the current cell.
    void StringGrid1KeyEnter();

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    void showRows(const QVector<EvaluationGridRow>& rows);
    void setRow(int row, const EvaluationGridRow& r);
    void goTo(int row, int column);
    // Takes the text of a cell still being edited.
    void finishEditing();

    QTableWidget* StringGrid1;
    QPushButton* btnAdd;
    QPushButton* btnClose;
    EvaluationCellDelegate* m_delegate;
};
