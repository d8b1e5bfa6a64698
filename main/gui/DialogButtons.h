#pragma once

#include <QDialogButtonBox>
#include <QPushButton>

namespace vm {

class LangTable;

// OK (the default button) and Cancel, named cmdOK and cmdCancel, with the
// texts of the table, in the order the platform puts them. Cancel rejects.
QDialogButtonBox* okCancelButtons(QDialog* dialog, const LangTable& texts, QPushButton*& ok,
                                  QPushButton*& cancel);

} // namespace vm
