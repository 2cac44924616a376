#include "ExportOptions.h"
#include "ui_ExportOptions.h"

#include "FieldText.h"
#include "Unit1.h"
#include "app/ErrorReport.h"
#include "model/Exceptions.h"
#include "model/Myexceloperation.h"
#include "model/NumberFormat.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <string>

TExportOptionForm* ExportOptionForm = nullptr;

namespace {

std::int32_t readInteger(const QString& text)
{
    return textToInteger(viewOf(text));
}

// The record keeps its texts in the system's 8-bit code page. Qt takes that to be UTF-8 on Linux, which
// is the locale's charset in practice; a character the code page cannot hold is replaced by the
// conversion's default character.
std::string narrow(QStringView text)
{
    return text.toLocal8Bit().toStdString();
}

// The weight is stored in single precision, rounded once from the double that was read. A number that
// rounds beyond the largest single is an overflow, as for every other stored result, and is not stored.
float toSingle(double value)
{
    const float single = static_cast<float>(value);
    if (std::isinf(single))
        throw EOverflow();
    return single;
}

} // namespace

TExportOptionForm::TExportOptionForm(QWidget* owner)
    : QWidget(owner, Qt::Window), ui(std::make_unique<Ui::TExportOptionForm>())
{
    ui->setupUi(this);
    // An open options window must not keep the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    bind(nullptr);

    connectHandler(ui->btn1, &QPushButton::clicked, this, &TExportOptionForm::btn1Click);
    connectHandler(ui->btn2, &QPushButton::clicked, this, &TExportOptionForm::btn2Click);
}

TExportOptionForm::~TExportOptionForm() = default;

void TExportOptionForm::bind(ExcelOp* record)
{
    settings_ = record;
    ui->btn1->setEnabled(record != nullptr);
}

void TExportOptionForm::btn1Click()
{
    // The disabled button is the guard for the user; this one is for callers that click in code.
    if (!settings_)
        return;
    ExcelOp& s = *settings_;

    // Each member is stored as soon as its control is read: a failure part-way keeps the members before
    // it, and the failing one and those after it keep what they held.
    s.plotAreaWidth = readInteger(ui->edt4->text());
    s.plotAreaHeight = readInteger(ui->edt3->text());
    s.showLegend = ui->chk3->isChecked();
    s.legendIncludeInLayout = ui->chk4->isChecked();
    s.lineWeight = toSingle(textToNumber(viewOf(ui->cbb1->currentText()), decimalSeparatorOf(this)));
    s.markerSize = readInteger(ui->cbb3->currentText());
    s.showMarker = ui->chk1->isChecked();
    s.markerStyle = readInteger(ui->cbb2->currentText());
    s.tickLabelFontSize = readInteger(ui->edt8->text());
    s.axisTitleFontSize = readInteger(ui->edt9->text());
    s.legendFontSize = readInteger(ui->edt10->text());
    s.showGraphTitle = ui->chk5->isChecked();
    // Only the title loses its surrounding blanks; positions and axis titles are kept as typed.
    const QString title = ui->edt5->text();
    const std::u16string_view trimmedTitle = trimText(viewOf(title));
    s.graphTitle = narrow(QStringView(trimmedTitle.data(), static_cast<qsizetype>(trimmedTitle.size())));
    s.titleFontSize = readInteger(ui->edt11->text());
    s.showAxisLine = ui->chk6->isChecked();
    s.xAxisPosition = narrow(ui->edt6->text());
    s.yAxisPosition = narrow(ui->edt7->text());
    s.showAxisTitle = ui->chk2->isChecked();
    s.xAxisTitle = narrow(ui->edt1->text());
    s.yAxisTitle = narrow(ui->edt2->text());
    s.showPlotAreaLine = ui->chk7->isChecked();
    s.lineColorMode = ui->cbb4->currentIndex();
    s.markerColorMode = ui->cbb5->currentIndex();
    s.exportMode = ui->rb1->isChecked() ? 0 : 1;
}

void TExportOptionForm::btn2Click()
{
    hide();
}

void TExportOptionForm::setVisible(bool visible)
{
    if (visible && !isVisible())
        centreOverOwner();
    QWidget::setVisible(visible);
}

// The owner is the window this one was created for; the application creates it without one, and then
// the main window stands in, or the screen when there is no main window either. Like the main window,
// it is never placed past the desktop's left or top edge.
void TExportOptionForm::centreOverOwner()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QWidget* owner = parentWidget() ? parentWidget()->window() : Form1;
    const QRect area = owner ? owner->frameGeometry() : screen->geometry();
    const QRect desktop = screen->virtualGeometry();
    // The frame's size counts, and before the first showing only the platform window knows it.
    create();
    const QSize frame = size().grownBy(windowHandle()->frameMargins());
    move(std::max(desktop.left(), area.left() + (area.width() - frame.width()) / 2),
         std::max(desktop.top(), area.top() + (area.height() - frame.height()) / 2));
}
