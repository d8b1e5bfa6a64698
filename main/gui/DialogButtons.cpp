#include "main/gui/DialogButtons.h"

#include "main/core/LangText.h"
#include "main/core/TextNumbers.h"
#include "main/gui/QtText.h"

#include <QDialog>

namespace vm {

QDialogButtonBox* okCancelButtons(QDialog* dialog, const LangTable& texts, QPushButton*& ok,
                                  QPushButton*& cancel) {
    ok = new QPushButton(qt(texts[txt::kOk]));
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    cancel = new QPushButton(qt(texts[txt::kCancel]));
    cancel->setObjectName("cmdCancel");
    auto* buttons = new QDialogButtonBox(dialog);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return buttons;
}

} // namespace vm
