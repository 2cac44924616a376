#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TDonationBox;
}

// How to give to the maker: two payment codes and the donation page. The link hands its address to
// the desktop with this dialog as the owner window.
class TDonationBox : public QDialog
{
public:
    explicit TDonationBox(QWidget* owner);
    ~TDonationBox() override;

    void btn1Click();

    void lbl11Click();
    void lbl11MouseMove();
    void lbl11MouseLeave();

private:
    std::unique_ptr<Ui::TDonationBox> ui;
};

// The box while it is shown, null otherwise.
extern TDonationBox* DonationBox;

// Shows the box modally over the owner and destroys it when it closes, also when showing fails.
void ShowDonationBox(QWidget* owner);
