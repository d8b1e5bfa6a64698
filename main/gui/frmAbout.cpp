#include "main/gui/frmAbout.h"

#include "main/core/LangText.h"
#include "main/core/MainMenus.h"
#include "main/core/TextNumbers.h"
#include "main/gui/ProgramIcon.h"

#include "Version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace vm {

frmAbout::frmAbout(const LangTable& texts, QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(QString::fromStdString(texts[txt::kAbout]).remove(QLatin1Char('&')));

    auto* name = new QLabel(this);
    name->setObjectName("lblName");
    name->setText(QStringLiteral("<b style='font-size:14pt'>%1</b>").arg(kProgramTitle));
    auto* version = new QLabel(this);
    version->setObjectName("lblVersion");
    version->setText(
        QStringLiteral("%1.%2 (%3)").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
    auto* link = new QLabel(this);
    link->setText(QStringLiteral("<a href='%1'>%1</a>").arg(QLatin1String(kMakerAddress)));
    link->setOpenExternalLinks(true);
    auto* icon = new QLabel(this);
    icon->setObjectName("imgIcon");
    icon->setPixmap(programIcon().pixmap(64));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    layout->addWidget(name, 0, Qt::AlignHCenter);
    layout->addWidget(version, 0, Qt::AlignHCenter);
    layout->addWidget(link, 0, Qt::AlignHCenter);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace vm
