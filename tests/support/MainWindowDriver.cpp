#include "support/MainWindowDriver.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

const QStringList MainWindowDriver::fieldOrder{"edt1", "edt4", "edt6", "edt5", "edt7"};

void MainWindowDriver::open()
{
    form_ = std::make_unique<TForm1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void MainWindowDriver::close()
{
    form_.reset();
}

QLineEdit* MainWindowDriver::field(const QString& name) const
{
    return form_->findChild<QLineEdit*>(name);
}

QPushButton* MainWindowDriver::button(const QString& name) const
{
    return form_->findChild<QPushButton*>(name);
}

void MainWindowDriver::click(const QString& name) const
{
    QTest::mouseClick(button(name), Qt::LeftButton);
}

QStringList MainWindowDriver::fieldTexts() const
{
    QStringList texts;
    for (const QString& name : fieldOrder)
        texts << field(name)->text();
    return texts;
}

void MainWindowDriver::setFieldTexts(const QStringList& texts) const
{
    for (qsizetype i = 0; i < fieldOrder.size(); ++i)
        field(fieldOrder[i])->setText(texts[i]);
}

QList<double> MainWindowDriver::volumes() const
{
    const MixState& state = form_->mixState();
    return {state.baijiuInBaijiuCup, state.redInBaijiuCup, state.baijiuInRedCup, state.redInRedCup};
}
