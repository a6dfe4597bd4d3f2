#pragma once

#include <QString>

#include <functional>

class QWidget;
namespace Xlsx {
class Workbook;
}

// "Excel保存": asks where to save (the documents folder, the proposed name), adds ".xlsx"
// when no suffix was typed, composes the workbook and saves it; a failure is shown. False
// when cancelled or failed. The workbook is composed only after a file was chosen.
bool SaveWorkbookAs(QWidget* parent, const QString& proposedName,
                    const std::function<Xlsx::Workbook()>& compose);
