#pragma once

#include <vector>

#include <gtest/gtest.h>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

// What a person sees and does on the session's screen: windows found by their
// caption, their client areas, pictures taken from the X server, and pointer and
// key input sent as X events. Every wait polls with a deadline.
namespace desktop {

constexpr int kWaitMs = 10000;

// Window ids of the mapped windows whose caption is exactly `caption`.
std::vector<QString> WindowsNamed(const QString& caption);

::testing::AssertionResult WaitForWindow(const QString& caption, QString* id, int timeoutMs = kWaitMs);
::testing::AssertionResult WaitForNoWindow(const QString& caption, int timeoutMs = kWaitMs);

// The client area in screen coordinates (the window manager's frame left out).
QRect ClientRect(const QString& id);
::testing::AssertionResult WaitForClientSize(const QString& id, QSize size, int timeoutMs = kWaitMs);
::testing::AssertionResult WaitForMove(const QString& id, QPoint from, int timeoutMs = kWaitMs);
QString FocusedWindow();
// Whether `upper` is stacked above `lower` (their window manager frames compared).
bool IsAbove(const QString& upper, const QString& lower);
::testing::AssertionResult WaitForFocus(const QString& id, int timeoutMs = kWaitMs);

QImage CaptureWindow(const QString& id);

// Polls the window's picture until it equals `expected` outside `masked`.
::testing::AssertionResult WaitForPicture(const QString& id, const QImage& expected, const QString& label,
                                          const std::vector<QRect>& masked = {}, int timeoutMs = kWaitMs);
// Polls until the window's picture differs from `before` and settles; returns the new one.
::testing::AssertionResult WaitForChange(const QString& id, const QImage& before, QImage* after,
                                         int timeoutMs = kWaitMs);

// Pixels that differ between two pictures of one size (none when the sizes differ).
std::vector<QPoint> DifferingPixels(const QImage& a, const QImage& b, const std::vector<QRect>& masked = {});
QRect BoundsOf(const std::vector<QPoint>& points);

void Click(QPoint screenPoint);
void Key(const QString& keys);
// Types text key by key; characters without a key of their own are typed
// through a key the tool maps to them for the moment.
void Type(const QString& text, int delayMs = 60);
// Parks the pointer where it hovers over nothing of the program.
void MovePointerAway();
// Presses on `from`, moves to `to` and lets go, as a person dragging a title bar.
void Drag(QPoint from, QPoint to);

// The title bar and close box of a window framed by openbox's default theme.
QPoint TitleBarPoint(const QRect& client);
QPoint CloseBoxPoint(const QRect& client);

// Keeps a picture for a person to look at when a comparison fails.
QString SaveForInspection(const QImage& image, const QString& name);

} // namespace desktop
