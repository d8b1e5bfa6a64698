#include "main/gui/frmAssign.h"

#include "main/core/LangText.h"
#include "main/core/Program.h"
#include "main/core/TextNumbers.h"
#include "main/gui/DialogButtons.h"
#include "main/gui/QtText.h"
#include "main/gui/TileImages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vm {

namespace {

template <class Widget> Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

// The tiles as they stand in the QuickSwitch window, numbered down each
// column first, so that the user can tell which button is which.
QPixmap buttonLayoutSketch(qreal pixelRatio) {
    constexpr int kColumns = 4;
    constexpr int kRows = 2;
    constexpr int kCellWidth = 24;
    constexpr int kCellHeight = 20;
    const QSize size(kColumns * kCellWidth + 1, kRows * kCellHeight + 1);
    QPixmap pixmap(size * pixelRatio);
    pixmap.setDevicePixelRatio(pixelRatio);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (int column = 0; column < kColumns; ++column)
        for (int row = 0; row < kRows; ++row) {
            const QRect cell(column * kCellWidth, row * kCellHeight, kCellWidth, kCellHeight);
            painter.drawRect(cell);
            painter.drawText(cell, Qt::AlignCenter, QString::number(column * kRows + row + 1));
        }
    return pixmap;
}

} // namespace

frmAssign::frmAssign(Program& program, QWidget* parent) : QDialog(parent), logic_(program) {
    setObjectName("frmAssign");
    setWindowTitle(QStringLiteral("QuickSwitch Settings"));
    const LangTable& t = program.lang;
    mstAssign = named(new QTabWidget(this), "mstAssign");
    mstAssign->addTab(buildButtonsPage(t), qt(t[txt::kButtons]));
    mstAssign->addTab(buildColorsPage(t), qt(t[txt::kColourScheme]));
    chkStartup = named(new QCheckBox(qt(t[txt::kQuickSwitchAtStart]), this), "chkStartup");

    QDialogButtonBox* buttons = okCancelButtons(this, t, cmdOK, cmdCancel);
    connect(cmdOK, &QPushButton::clicked, this, &frmAssign::cmdOK_Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mstAssign);
    layout->addWidget(chkStartup);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    fill(logic_.Form_Load());
    mstAssign->setCurrentIndex(0);
}

QWidget* frmAssign::buildButtonsPage(const LangTable& t) {
    auto* page = new QWidget;
    auto* frame = named(new QGroupBox(qt(t[txt::kAssignDatabase] + ":")), "fraButtons");
    auto* grid = new QGridLayout(frame);
    for (int button = 0; button < quickswitch::kButtons; ++button) {
        cboDB[button] = named(new QComboBox, QStringLiteral("cboDB%1").arg(button));
        // Long names must not widen the dialog beyond the screen.
        cboDB[button]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        cboDB[button]->setMinimumContentsLength(24);
        auto* label =
            named(new QLabel(qt(t[txt::kButton]) + QStringLiteral(" %1:").arg(button + 1)),
                  QStringLiteral("lblDB%1").arg(button));
        label->setBuddy(cboDB[button]);
        grid->addWidget(label, button, 0);
        grid->addWidget(cboDB[button], button, 1);
    }
    auto* layoutLabel = named(new QLabel(QStringLiteral("Button Layout:")), "lblLayout");
    auto* picture = named(new QLabel, "picPosition");
    picture->setPixmap(buttonLayoutSketch(devicePixelRatioF()));
    grid->addWidget(layoutLabel, 0, 2);
    grid->addWidget(picture, 1, 2, 3, 1, Qt::AlignTop | Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    grid->setHorizontalSpacing(12);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(frame);
    return page;
}

QWidget* frmAssign::buildColorsPage(const LangTable& t) {
    auto* page = new QWidget;
    auto* frame = named(new QGroupBox(qt(t[txt::kChooseColourScheme] + ":")), "fraColors");
    auto* grid = new QGridLayout(frame);
    for (int scheme = 0; scheme < quickswitch::kSchemes; ++scheme) {
        optColor[scheme] = named(new QRadioButton, QStringLiteral("optColor%1").arg(scheme));
        picSample[scheme] = named(new QLabel, QStringLiteral("picSample%1").arg(scheme));
        picSample[scheme]->setPixmap(schemeSample(scheme, devicePixelRatioF()));
        picSample[scheme]->installEventFilter(this);
        grid->addWidget(optColor[scheme], scheme, 0);
        grid->addWidget(picSample[scheme], scheme, 1);
    }
    grid->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(frame);
    layout->addStretch();
    return page;
}

void frmAssign::fill(const QuickSwitchChoices& choices) {
    for (int button = 0; button < quickswitch::kButtons; ++button) {
        for (const std::string& entry : logic_.entries())
            cboDB[button]->addItem(qt(entry));
        cboDB[button]->setCurrentIndex(choices.entries[button]);
    }
    if (choices.scheme >= 0)
        optColor[choices.scheme]->setChecked(true);
    chkStartup->setChecked(choices.startup);
}

QuickSwitchChoices frmAssign::choices() const {
    QuickSwitchChoices shown;
    for (int button = 0; button < quickswitch::kButtons; ++button)
        shown.entries[button] = cboDB[button]->currentIndex();
    for (int scheme = 0; scheme < quickswitch::kSchemes && shown.scheme < 0; ++scheme)
        if (optColor[scheme]->isChecked())
            shown.scheme = scheme;
    shown.startup = chkStartup->isChecked();
    return shown;
}

void frmAssign::cmdOK_Click() {
    if (logic_.cmdOK_Click(choices()))
        accept();
}

bool frmAssign::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease)
        for (int scheme = 0; scheme < quickswitch::kSchemes; ++scheme)
            if (watched == picSample[scheme])
                optColor[scheme]->setChecked(true);
    return QDialog::eventFilter(watched, event);
}

} // namespace vm
