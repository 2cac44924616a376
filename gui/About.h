#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TAboutBox;
}

// Who made the program and where to reach them. The links hand their addresses to the desktop with
// this dialog as the owner window.
class TAboutBox : public QDialog
{
public:
    explicit TAboutBox(QWidget* owner);
    ~TAboutBox() override;

    void OKButtonClick();

    void lbl6Click();
    void lbl6MouseMove();
    void lbl6MouseLeave();
    void lbl9Click();
    void lbl9MouseMove();
    void lbl9MouseLeave();
    void lbl11Click();
    void lbl11MouseMove();
    void lbl11MouseLeave();
    void lbl14Click();
    void lbl14MouseMove();
    void lbl14MouseLeave();

private:
    std::unique_ptr<Ui::TAboutBox> ui;
};

// The box while it is shown, null otherwise.
extern TAboutBox* AboutBox;

// Shows the box modally over the owner and destroys it when it closes, also when showing fails.
void ShowAboutBox(QWidget* owner);
