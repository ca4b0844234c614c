#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include "Desktop.h"
#include "XSession.h"

// The picture `--render` gives for a screen class, made once per run.
QImage RenderedScreen(const QString& className);
// A control's rectangle in the screen's client coordinates, from `--dump`,
// found by name or by caption (the first in tree order).
QRect ControlRect(const QString& className, const QString& nameOrCaption);
// Renders every screen off screen into RenderDir(); false and a reason on failure.
bool RenderAllScreens(QString* error);

// Each test starts the program afresh and finds its launcher on the screen.
class LauncherSession : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QPoint OnScreen(const QRect& client, QPoint clientPoint) const { return client.topLeft() + clientPoint; }
    QPoint CentreOf(const QRect& client, const QRect& control) const { return client.topLeft() + control.center(); }
    // Clicks the control named or captioned so on the given screen window.
    void ClickControl(const QString& windowId, const QString& className, const QString& nameOrCaption);

    AppProcess app;
    QString launcher;
    QRect launcherClient;
};
