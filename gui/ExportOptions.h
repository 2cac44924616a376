#pragma once

#include <QWidget>

#include <memory>

struct ExcelOp;

namespace Ui {
class TExportOptionForm;
}

// Controls -> ExcelOp. The dialog edits a settings record it does not own: Update copies the controls
// into the bound record, Close only hides the window. Nothing is bound at first, and while nothing is
// bound Update is disabled, so the controls can be changed but are written nowhere.
class TExportOptionForm : public QWidget
{
public:
    explicit TExportOptionForm(QWidget* owner = nullptr);
    ~TExportOptionForm() override;

    // The record Update writes to, or nullptr. The dialog never frees it; whoever binds it keeps it
    // alive while the dialog is bound to it.
    void bind(ExcelOp* record);
    ExcelOp* settings() const { return settings_; }

    // Update: throws on the first control that does not read; the application's error report shows the
    // message. Does nothing while no record is bound.
    void btn1Click();
    // Close.
    void btn2Click();

    // Every showing places the window over the centre of its owner.
    void setVisible(bool visible) override;

private:
    void centreOverOwner();

    std::unique_ptr<Ui::TExportOptionForm> ui;
    ExcelOp* settings_ = nullptr;
};

extern TExportOptionForm* ExportOptionForm;
