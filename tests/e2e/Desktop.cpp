#include "Desktop.h"

#include <algorithm>
#include <bit>

#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "XSession.h"

namespace desktop {

namespace {

constexpr int kPollMs = 30;

// Windows come and go while the tests look at them: a vanished window is no error.
int IgnoreXErrors(Display*, XErrorEvent*)
{
    return 0;
}

// Looking at the screen goes through one connection of our own; only the input
// goes through xdotool, as the X events a person's devices would send.
Display* Connection()
{
    static Display* display = [] {
        XSetErrorHandler(IgnoreXErrors);
        return XOpenDisplay(XSession::Instance().Display().toLatin1().constData());
    }();
    return display;
}

Window WindowOf(const QString& id)
{
    return id == QLatin1String("root") ? DefaultRootWindow(Connection()) : Window(id.toULong());
}

QString CaptionOf(Display* d, Window w)
{
    static const Atom netName = XInternAtom(d, "_NET_WM_NAME", False);
    static const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    QString caption;
    if (XGetWindowProperty(d, w, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) == Success &&
        data && type == utf8)
        caption = QString::fromUtf8(reinterpret_cast<const char*>(data), int(count));
    if (data)
        XFree(data);
    return caption;
}

void CollectNamed(Display* d, Window w, const QString& caption, std::vector<QString>& found)
{
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable)
        return;
    if (CaptionOf(d, w) == caption)
        found.push_back(QString::number(w));
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &n))
        return;
    for (unsigned int i = 0; i < n; ++i)
        CollectNamed(d, children[i], caption, found);
    if (children)
        XFree(children);
}

ToolResult Tool(const QString& program, const QStringList& args)
{
    return XSession::Instance().Run(program, args);
}

QString Describe(const std::vector<QPoint>& diff)
{
    const QRect b = BoundsOf(diff);
    return QStringLiteral("%1 pixels differ within (%2, %3, %4 x %5)")
        .arg(diff.size())
        .arg(b.x())
        .arg(b.y())
        .arg(b.width())
        .arg(b.height());
}

} // namespace

std::vector<QString> WindowsNamed(const QString& caption)
{
    std::vector<QString> ids;
    if (Display* d = Connection())
        CollectNamed(d, DefaultRootWindow(d), caption, ids);
    return ids;
}

::testing::AssertionResult WaitForWindow(const QString& caption, QString* id, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const std::vector<QString> ids = WindowsNamed(caption);
        if (ids.size() == 1) {
            *id = ids.front();
            return ::testing::AssertionSuccess();
        }
        if (deadline.hasExpired())
            return ::testing::AssertionFailure() << "no single window \"" << caption.toStdString() << "\" within "
                                                 << timeoutMs << " ms (" << ids.size() << " found)";
        QThread::msleep(kPollMs);
    }
}

::testing::AssertionResult WaitForNoWindow(const QString& caption, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!WindowsNamed(caption).empty()) {
        if (deadline.hasExpired())
            return ::testing::AssertionFailure() << "window \"" << caption.toStdString() << "\" still shown after "
                                                 << timeoutMs << " ms";
        QThread::msleep(kPollMs);
    }
    return ::testing::AssertionSuccess();
}

QRect ClientRect(const QString& id)
{
    Display* d = Connection();
    XWindowAttributes a;
    Window child = 0;
    int x = 0, y = 0;
    if (!d || !XGetWindowAttributes(d, WindowOf(id), &a) ||
        !XTranslateCoordinates(d, WindowOf(id), DefaultRootWindow(d), 0, 0, &x, &y, &child))
        return QRect();
    return QRect(x, y, a.width, a.height);
}

::testing::AssertionResult WaitForClientSize(const QString& id, QSize size, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const QRect r = ClientRect(id);
        if (r.size() == size)
            return ::testing::AssertionSuccess();
        if (deadline.hasExpired())
            return ::testing::AssertionFailure() << "client area " << r.width() << " x " << r.height() << ", expected "
                                                 << size.width() << " x " << size.height();
        QThread::msleep(kPollMs);
    }
}

::testing::AssertionResult WaitForMove(const QString& id, QPoint from, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (ClientRect(id).topLeft() == from) {
        if (deadline.hasExpired())
            return ::testing::AssertionFailure() << "window " << id.toStdString() << " did not move from " << from.x()
                                                 << ", " << from.y() << " within " << timeoutMs << " ms";
        QThread::msleep(kPollMs);
    }
    return ::testing::AssertionSuccess();
}

QString FocusedWindow()
{
    Window focus = 0;
    int revert = 0;
    if (Display* d = Connection())
        XGetInputFocus(d, &focus, &revert);
    return QString::number(focus);
}

namespace {

// The child of the root that holds the window: the window manager's frame.
Window TopLevelOf(Display* d, Window w)
{
    for (;;) {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int n = 0;
        if (!XQueryTree(d, w, &root, &parent, &children, &n))
            return 0;
        if (children)
            XFree(children);
        if (parent == root || parent == 0)
            return w;
        w = parent;
    }
}

} // namespace

bool IsAbove(const QString& upper, const QString& lower)
{
    Display* d = Connection();
    if (!d)
        return false;
    const Window a = TopLevelOf(d, WindowOf(upper)), b = TopLevelOf(d, WindowOf(lower));
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n))
        return false;
    // The root's children come bottom first.
    int ia = -1, ib = -1;
    for (unsigned int i = 0; i < n; ++i) {
        if (children[i] == a)
            ia = int(i);
        if (children[i] == b)
            ib = int(i);
    }
    if (children)
        XFree(children);
    return ia > ib && ib >= 0;
}

::testing::AssertionResult WaitForFocus(const QString& id, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const QString focused = FocusedWindow();
        if (focused == id)
            return ::testing::AssertionSuccess();
        if (deadline.hasExpired())
            return ::testing::AssertionFailure() << "keyboard focus in window " << focused.toStdString()
                                                 << ", expected " << id.toStdString();
        QThread::msleep(kPollMs);
    }
}

QImage CaptureWindow(const QString& id)
{
    Display* d = Connection();
    XWindowAttributes a;
    if (!d || !XGetWindowAttributes(d, WindowOf(id), &a)) {
        ADD_FAILURE() << "no window " << id.toStdString() << " to capture";
        return QImage();
    }
    XImage* x = XGetImage(d, WindowOf(id), 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
    if (!x) {
        ADD_FAILURE() << "window " << id.toStdString() << " cannot be read";
        return QImage();
    }
    QImage image(a.width, a.height, QImage::Format_RGB32);
    const auto channel = [](unsigned long pixel, unsigned long mask) {
        const int shift = std::countr_zero(mask);
        return int(((pixel & mask) >> shift) * 255 / (mask >> shift));
    };
    for (int row = 0; row < a.height; ++row) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int col = 0; col < a.width; ++col) {
            const unsigned long p = XGetPixel(x, col, row);
            out[col] = qRgb(channel(p, x->red_mask), channel(p, x->green_mask), channel(p, x->blue_mask));
        }
    }
    XDestroyImage(x);
    return image;
}

std::vector<QPoint> DifferingPixels(const QImage& a, const QImage& b, const std::vector<QRect>& masked)
{
    std::vector<QPoint> diff;
    if (a.size() != b.size())
        return diff;
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            if ((p[col] & 0xFFFFFF) != (q[col] & 0xFFFFFF) &&
                std::none_of(masked.begin(), masked.end(), [&](const QRect& m) { return m.contains(col, row); }))
                diff.emplace_back(col, row);
    }
    return diff;
}

QRect BoundsOf(const std::vector<QPoint>& points)
{
    QRect bounds;
    for (const QPoint& p : points)
        bounds |= QRect(p, QSize(1, 1));
    return bounds;
}

::testing::AssertionResult WaitForPicture(const QString& id, const QImage& expected, const QString& label,
                                          const std::vector<QRect>& masked, int timeoutMs)
{
    if (expected.isNull())
        return ::testing::AssertionFailure() << "no expected picture for " << label.toStdString();
    // The window paints after it maps: poll until the picture settles on the expected one.
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const QImage actual = CaptureWindow(id);
        if (actual.size() == expected.size() && DifferingPixels(actual, expected, masked).empty())
            return ::testing::AssertionSuccess();
        if (deadline.hasExpired()) {
            auto failure = ::testing::AssertionFailure() << label.toStdString() << ": ";
            if (actual.size() != expected.size())
                failure << "window picture " << actual.width() << " x " << actual.height() << ", expected "
                        << expected.width() << " x " << expected.height();
            else
                failure << Describe(DifferingPixels(actual, expected, masked)).toStdString();
            return failure << "; pictures kept as " << SaveForInspection(actual, label + QStringLiteral("-actual")).toStdString()
                           << " and " << SaveForInspection(expected, label + QStringLiteral("-expected")).toStdString();
        }
        QThread::msleep(kPollMs);
    }
}

::testing::AssertionResult WaitForChange(const QString& id, const QImage& before, QImage* after, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        *after = CaptureWindow(id);
        if (after->size() != before.size() || !DifferingPixels(*after, before).empty()) {
            // A change may be caught half drawn: wait for two equal pictures in a row.
            for (QImage next = CaptureWindow(id); !deadline.hasExpired(); next = CaptureWindow(id)) {
                if (next.size() == after->size() && DifferingPixels(next, *after).empty())
                    return ::testing::AssertionSuccess();
                *after = next;
                QThread::msleep(kPollMs);
            }
            return ::testing::AssertionFailure() << "window " << id.toStdString() << " kept changing for "
                                                 << timeoutMs << " ms";
        }
        if (deadline.hasExpired())
            return ::testing::AssertionFailure() << "window " << id.toStdString() << " did not change within "
                                                 << timeoutMs << " ms";
        QThread::msleep(kPollMs);
    }
}

void Click(QPoint p)
{
    Tool(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(p.x()),
                                     QString::number(p.y()), QStringLiteral("click"), QStringLiteral("1")});
}

void Key(const QString& keys)
{
    Tool(QStringLiteral("xdotool"), {QStringLiteral("key"), keys});
}

void Type(const QString& text, int delayMs)
{
    Tool(QStringLiteral("xdotool"), {QStringLiteral("type"), QStringLiteral("--delay"), QString::number(delayMs), text});
}

void MovePointerAway()
{
    Tool(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("0"),
                                     QStringLiteral("0")});
}

void Drag(QPoint from, QPoint to)
{
    // openbox starts a move only after the pointer has moved with the button held.
    const QPoint step = from + QPoint(10, 10);
    Tool(QStringLiteral("xdotool"),
         {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(from.x()), QString::number(from.y()),
          QStringLiteral("mousedown"), QStringLiteral("1"), QStringLiteral("sleep"), QStringLiteral("0.1"),
          QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(step.x()), QString::number(step.y()),
          QStringLiteral("sleep"), QStringLiteral("0.1"), QStringLiteral("mousemove"), QStringLiteral("--sync"),
          QString::number(to.x()), QString::number(to.y()), QStringLiteral("sleep"), QStringLiteral("0.1"),
          QStringLiteral("mouseup"), QStringLiteral("1")});
}

QPoint TitleBarPoint(const QRect& client)
{
    return QPoint(client.left() + client.width() / 3, client.top() - 10);
}

QPoint CloseBoxPoint(const QRect& client)
{
    return QPoint(client.right() - 9, client.top() - 10);
}

QString SaveForInspection(const QImage& image, const QString& name)
{
    QString dir = qEnvironmentVariable("ORGRIGHTS_E2E_ARTIFACTS");
    if (dir.isEmpty())
        dir = QDir::temp().filePath(QStringLiteral("orgrights-e2e-failures"));
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
    image.save(path);
    return path;
}

} // namespace desktop
