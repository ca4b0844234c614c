#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include "platform/controls/dialogs/DrawingPrinter.h"

namespace {

// What the open print dialog's scaling page showed.
struct ScalingSeen {
    bool found = false;
    QString fitCaption;
    bool fit = false;
    int percent = 0;
    bool percentEnabled = false;
};

// Once the print dialog is up: reads its scaling page into seen, sets the
// page to fit or percent, and accepts or cancels the dialog.
void AnswerPrintDialog(ScalingSeen& seen, bool fit, int percent, bool accept)
{
    QTimer::singleShot(0, [&seen, fit, percent, accept] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* fitButton = dialog->findChild<QRadioButton*>(QStringLiteral("fit"));
        auto* chosenButton = dialog->findChild<QRadioButton*>(QStringLiteral("chosen"));
        auto* percentBox = dialog->findChild<QSpinBox*>(QStringLiteral("percent"));
        if (fitButton && chosenButton && percentBox) {
            seen = {true, fitButton->text(), fitButton->isChecked(), percentBox->value(), percentBox->isEnabled()};
            (fit ? fitButton : chosenButton)->setChecked(true);
            percentBox->setValue(percent);
        }
        accept ? dialog->accept() : dialog->reject();
    });
}

} // namespace

// The print dialog has a page for the scaling, fitted or a chosen percentage,
// which the printer then carries; the next dialog offers the last choice, and
// a cancelled one changes nothing.
TEST(DrawingPrinter, ThePrintDialogAsksForTheScalingAndOffersTheLastChoiceAgain)
{
    const struct {
        bool fit;
        int percent;
        bool accept;
        bool fitBefore;
        int percentBefore;
    } steps[] = {
        {false, 50, true, true, 100},
        {true, 200, false, false, 50},
        {true, 250, true, false, 50},
        {false, 1, true, true, 250},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << "answer fit " << step.fit << " " << step.percent << "%");
        ScalingSeen seen;
        AnswerPrintDialog(seen, step.fit, step.percent, step.accept);
        const std::unique_ptr<TDrawingPrinter> printer = TDrawingPrinter::FromDialog(nullptr, QStringLiteral("适合页宽"));
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.fitCaption, QStringLiteral("适合页宽"));
        EXPECT_EQ(seen.fit, step.fitBefore);
        EXPECT_EQ(seen.percent, step.percentBefore);
        EXPECT_EQ(seen.percentEnabled, !step.fitBefore);
        ASSERT_EQ(printer != nullptr, step.accept);
        if (printer) {
            EXPECT_EQ(printer->Scaling().fitToPage, step.fit);
            EXPECT_DOUBLE_EQ(printer->Scaling().scale, step.percent / 100.0);
        }
    }
}
