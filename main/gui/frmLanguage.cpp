#include "main/gui/frmLanguage.h"

#include "base/ErrorNumbers.h"
#include "base/FailureReport.h"
#include "main/core/LangText.h"
#include "main/core/TextNumbers.h"
#include "main/gui/QtText.h"
#include "settings/PerUserStore.h"
#include "settings/SettingsSchema.h"

#include "Version.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vm {

frmLanguage::frmLanguage(PerUserStore& store, const LangTable& texts, QWidget* parent)
    : QDialog(parent), store_(store), Label1(new QLabel(this)), cmbLanguage(new QComboBox(this)),
      cmdOK(new QPushButton(this)), cmdCancel(new QPushButton(this)) {
    setObjectName("frmLanguage");
    Label1->setObjectName("Label1");
    cmbLanguage->setObjectName("cmbLanguage");
    cmdOK->setObjectName("cmdOK");
    cmdCancel->setObjectName("cmdCancel");

    const bool firstRun = store.GetSetting(schema::kSettings, schema::kInstalled, "0") == "0";
    if (firstRun) {
        setWindowTitle(kProgramTitle);
        Label1->setText(QStringLiteral("Pick your language/Choisissez une langue :"));
    } else {
        setWindowTitle(qt(texts[txt::kLanguages]));
        Label1->setText(qt(texts[txt::kPickLanguage]) + ":");
    }
    cmdOK->setText(qt(texts[txt::kOk]));
    cmdCancel->setText(qt(texts[txt::kCancel]));
    cmbLanguage->addItems(
        {QStringLiteral("English"), QStringLiteral("Français"), QStringLiteral("Deutsch")});
    cmbLanguage->setCurrentIndex(texts.LangIndex());
    Label1->setBuddy(cmbLanguage);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(cmdOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel, QDialogButtonBox::RejectRole);
    // On a first run there is no language to go back to.
    cmdCancel->setVisible(!firstRun);
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &frmLanguage::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(cmbLanguage);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmLanguage::cmdOK_Click() {
    // The caller reads the choice back from the store; one it did not take
    // would be dropped without a word.
    guarded({"frmLanguage", "Sub", "cmdOK_Click"}, [&] {
        if (!store_.SaveSetting(schema::kOptions, schema::kLanguage,
                                std::to_string(cmbLanguage->currentIndex())))
            throw Failure(err::kFileAccess, cannotWriteMessage(store_));
    });
    accept();
}

} // namespace vm
