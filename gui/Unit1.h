#pragma once

#include "model/MixState.h"
#include "model/Myexceloperation.h"

#include <QMainWindow>

#include <memory>

class CupChart;
class QLineEdit;

namespace Ui {
class TForm1;
}

// Fields -> MixState -> fields and charts. A transfer reads the spoon field, moves one spoonful in the
// model, appends one sample to the charts and writes the four volumes back; initialise reads the four
// volume fields into the model. The model's values are the truth: a transfer never reads the volume
// fields, and a failed command leaves behind whatever it had stored.
class TForm1 : public QMainWindow
{
public:
    explicit TForm1(QWidget* owner = nullptr);
    ~TForm1() override;

    // The three commands. They throw on failure; the application's error report shows the message.
    void btn1Click();
    void btn2Click();
    void btn3Click();

    // The Help menu: the two dialogs and three pages of the maker's site.
    void mniAbout2Click();
    void mniDonation1Click();
    void mniVisitSite1Click();
    void mniHowtouse1Click();
    void mniCatalog1Click();

    // The status bar's link to the maker's site.
    void rzfldsts2MouseMove();
    void rzfldsts2MouseLeave();
    void rzfldsts2Click();

    // The charts: set up once, one sample (a point on each series at X = stepCount) per completed
    // transfer or initialise, and emptied by initialise.
    void SetUpSeries();
    void AppendSample();
    void ClearSamples();

    const MixState& mixState() const { return mixState_; }

    // The chart-export settings: given their starting values once, when the window is created, and
    // never reset after that (initialise leaves them alone).
    ExcelOp& exportSettings() { return exportSettings_; }

private:
    double readField(const QLineEdit* field) const;
    void showVolumes();

    std::unique_ptr<Ui::TForm1> ui;
    MixState mixState_;
    ExcelOp exportSettings_;
    CupChart* baijiuCupChart_ = nullptr; // owned by cht1
    CupChart* redCupChart_ = nullptr;    // owned by cht2
};

extern TForm1* Form1;
