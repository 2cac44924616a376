#pragma once

#include "model/MixState.h"

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

    // The charts: set up once, one sample (a point on each series at X = stepCount) per completed
    // transfer or initialise, and emptied by initialise.
    void SetUpSeries();
    void AppendSample();
    void ClearSamples();

    const MixState& mixState() const { return mixState_; }

private:
    double readField(const QLineEdit* field) const;
    void showVolumes();
    char16_t decimalSeparator() const;

    std::unique_ptr<Ui::TForm1> ui;
    MixState mixState_;
    CupChart* baijiuCupChart_ = nullptr; // owned by cht1
    CupChart* redCupChart_ = nullptr;    // owned by cht2
};

extern TForm1* Form1;
