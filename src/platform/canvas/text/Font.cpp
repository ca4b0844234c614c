#include "platform/canvas/text/Font.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <cmath>
#include <vector>

#include "platform/base/AppContext.h"

namespace {
const QString kDefaultFace = QStringLiteral("Tahoma");
constexpr int kDefaultHeight = -11;
} // namespace

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const long long p = static_cast<long long>(a) * b;
    const long long half = std::llabs(static_cast<long long>(c)) / 2;
    long long q = (std::llabs(p) + half) / std::llabs(static_cast<long long>(c));
    return static_cast<int>(((p < 0) != (c < 0)) ? -q : q);
}

TFont::TFont() : name_(kDefaultFace), height_(kDefaultHeight), color_(clWindowText), charset_(DEFAULT_CHARSET) {}

TFont::TFont(const TFont& other)
    : TPersistent(), name_(other.name_), height_(other.height_), orientation_(other.orientation_),
      color_(other.color_), charset_(other.charset_), style_(other.style_), pitch_(other.pitch_)
{
}

void TFont::Assign(const TPersistent* source)
{
    if (auto* f = dynamic_cast<const TFont*>(source)) {
        if (SameAs(*f) && orientation_ == f->orientation_)
            return;
        name_ = f->name_;
        height_ = f->height_;
        orientation_ = f->orientation_;
        color_ = f->color_;
        charset_ = f->charset_;
        style_ = f->style_;
        pitch_ = f->pitch_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TFont::SetName(const QString& name)
{
    if (name.isEmpty() || name == name_)
        return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height)
{
    if (Exchange(height_, height))
        Changed();
}

int TFont::Size() const
{
    return -MulDiv(height_, 72, PixelsPerInch);
}

void TFont::SetSize(int points)
{
    SetHeight(-MulDiv(points, PixelsPerInch, 72));
}

void TFont::SetCharset(uint8_t charset)
{
    if (Exchange(charset_, charset))
        Changed();
}

void TFont::SetColor(TColor color)
{
    if (Exchange(color_, color))
        Changed();
}

void TFont::SetStyle(TFontStyles style)
{
    if (Exchange(style_, style))
        Changed();
}

void TFont::SetPitch(TFontPitch pitch)
{
    if (Exchange(pitch_, pitch))
        Changed();
}

void TFont::SetOrientation(int tenths)
{
    if (Exchange(orientation_, tenths))
        Changed();
}

bool TFont::SameAs(const TFont& other) const
{
    return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ &&
           pitch_ == other.pitch_ && charset_ == other.charset_ && color_ == other.color_;
}

void TFont::Changed()
{
    OnChange(this);
}

bool TFont::RegisterFaces()
{
    // Wine's Tahoma has the platform's Tahoma widths; it lies outside the font
    // configuration's path, so the application registers it itself.
    struct RegisteredFaces {
        bool done = false;
        std::vector<int> ids;
        ~RegisteredFaces()
        {
            if (qGuiApp)
                for (int id : ids)
                    QFontDatabase::removeApplicationFont(id);
        }
    };
    auto& faces = AppContext().State<RegisteredFaces>();
    if (faces.done || !qGuiApp)
        return !faces.ids.empty();
    faces.done = true;
    for (const char* file : {"tahoma.ttf", "tahomabd.ttf"}) {
        const QString path = QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(file);
        const int id = QFile::exists(path) ? QFontDatabase::addApplicationFont(path) : -1;
        if (id >= 0)
            faces.ids.push_back(id);
    }
    return !faces.ids.empty();
}

QString TFont::MapFace(const QString& face)
{
    if (face.compare(QStringLiteral("Tahoma"), Qt::CaseInsensitive) == 0)
        return RegisterFaces() ? QStringLiteral("Tahoma") : QStringLiteral("DejaVu Sans");
    // A Ming face stands in for the Song faces, a humanist sans for the old MS
    // sans faces (and for Tahoma when its file is missing).
    static const QHash<QString, QString> map = {
        {QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN")},
        {QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN")},
        {QStringLiteral("新宋体"), QStringLiteral("AR PL UMing CN")},
        {QStringLiteral("NSimSun"), QStringLiteral("AR PL UMing CN")},
        {QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")},
    };
    return map.value(face, face);
}

QFont TFont::ToQFont() const
{
    QFont f(MapFace(name_));
    f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
    f.setHintingPreference(QFont::PreferFullHinting);
    if (pitch_ == fpFixed)
        f.setFixedPitch(true);
    int pixels = height_ < 0 ? -height_ : height_;
    if (height_ > 0) {
        // A positive height is the cell height: scale the em size down by the face's
        // ascent + descent.
        f.setPixelSize(std::max(1, height_));
        QFontMetrics m(f);
        const int cell = m.ascent() + m.descent();
        if (cell > 0)
            pixels = std::max(1, static_cast<int>(std::lround(double(height_) * height_ / cell)));
    }
    if (pixels == 0)
        pixels = -kDefaultHeight;
    f.setPixelSize(pixels);
    f.setBold(style_ & fsBold);
    f.setItalic(style_ & fsItalic);
    f.setUnderline(style_ & fsUnderline);
    f.setStrikeOut(style_ & fsStrikeOut);
    return f;
}
