#include "main/gui/frmIntegrateNew.h"

#include "main/core/LangText.h"
#include "main/core/Program.h"
#include "main/core/TextNumbers.h"
#include "main/gui/QtText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace vm {

frmIntegrateNew::frmIntegrateNew(Program& program, MainStartup& startup, std::string programFile,
                                 QWidget* parent)
    : QDialog(parent), logic_(program, startup, std::move(programFile)) {
    setObjectName("frmIntegrateNew");
    const LangTable& t = program.lang;
    setWindowTitle(qt(t[txt::kIntegrateTitle]));
    auto* layout = new QVBoxLayout(this);
    for (int frame = 0; frame < 2; ++frame) {
        auto* box = new QGroupBox(qt(t[txt::kToolbarViews + frame] + ":"), this);
        box->setObjectName(QStringLiteral("Frame1_%1").arg(frame));
        auto* grid = new QGridLayout(box);
        for (int i = 0; i < 6; ++i) {
            const int n = frame * 6 + i;
            chkScreen[n] = new QCheckBox(box);
            chkScreen[n]->setObjectName(QStringLiteral("chkScreen%1").arg(n));
            lblScreen[n] = new QLabel(qt(t[txt::kFirstHostView + i]), box);
            lblScreen[n]->setObjectName(QStringLiteral("lblScreen%1").arg(n));
            lblScreen[n]->installEventFilter(this);
            chkScreen[n]->setAccessibleName(lblScreen[n]->text());
            grid->addWidget(chkScreen[n], i / 3, (i % 3) * 2);
            grid->addWidget(lblScreen[n], i / 3, (i % 3) * 2 + 1);
            connect(chkScreen[n], &QCheckBox::toggled, this, [this, n](bool ticked) {
                logic_.chkScreen_Click(n, ticked);
                showBoxes();
            });
        }
        grid->setColumnStretch(5, 1);
        layout->addWidget(box);
    }
    auto* note = new QLabel(qt(t[txt::kRestartHostNeeded]), this);
    note->setObjectName("Label2");
    note->setWordWrap(true);
    layout->addWidget(note);

    cmdOK = new QPushButton(qt(t[txt::kClose]), this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(qt(t[txt::kCancel]), this);
    cmdCancel->setObjectName("cmdCancel");
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(cmdOK, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdCancel, QDialogButtonBox::RejectRole);
    connect(cmdOK, &QPushButton::clicked, this, [this] {
        logic_.cmdOK_Click();
        accept();
    });
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    logic_.Form_Load();
    showBoxes();
}

void frmIntegrateNew::showBoxes() {
    for (int n = 0; n < IntegrateWithHost::kBoxes; ++n) {
        // What the host says is no change of the user's.
        const QSignalBlocker quiet(chkScreen[n]);
        chkScreen[n]->setChecked(logic_.boxes()[n]);
    }
}

bool frmIntegrateNew::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int n = 0; n < IntegrateWithHost::kBoxes; ++n)
            if (watched == lblScreen[n]) {
                chkScreen[n]->toggle();
                return true;
            }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vm
