#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/controls/dialogs/OpenFileDialog.h"
#include "platform/canvas/pictures/SignaturePicture.h"
#include "screens/live/LiveEditor.h"
#include "screens/live/LiveStore.h"
#include "screens/live/LiveUsers.h"
#include "screens/dialogs/SignatureForm.h"
#include "screens/dialogs/SignatureView.h"
#include "screens/UserForm.h"
#include "store/RightsStore.h"
#include "support/Input.h"
#include "support/ScreenTest.h"

namespace {

QByteArray Encoded(int w, int h, const char* format)
{
    QImage image(w, h, QImage::Format_RGB32);
    // Noise, so that a large picture does not compress below the size limit.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 7919 + y * 104729) & 255, (x * y) & 255, (x ^ y) & 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

class SignatureDialog : public ScreenTest {
protected:
    void TearDown() override
    {
        SetOpenFileNameHook({});
        ScreenTest::TearDown();
    }
    QString Write(const char* name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(SignatureDialog, TakesOnlyPicturesThatMayBeStored)
{
    const QByteArray png = Encoded(300, 120, "PNG");
    const struct {
        const char* file;
        QByteArray bytes;
        const char* problem; // empty: taken
    } cases[] = {
        // The picture check has its own table; the dialog's part is reading the
        // file (capped at the size limit) and keeping the old picture on refusal.
        {"a.jpg", Encoded(300, 120, "JPEG"), ""},
        {"over.bmp", Encoded(700, 700, "BMP"), "The picture is larger than 1 MB."},
        {"cut.png", png.left(png.size() / 2), "The picture cannot be read"},
        {"empty.png", QByteArray(), "The picture is empty."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        messages.clear();
        TSignatureForm dialog(nullptr);
        dialog.SetPicture(png);
        const QString path = Write(c.file, c.bytes);
        // 浏览 asks for the file through the platform's dialog.
        SetOpenFileNameHook([&](const QString&, const QString& filter) {
            EXPECT_TRUE(filter.contains(QStringLiteral("*.bmp")));
            return path;
        });
        dialog.Button3Click(nullptr);
        if (*c.problem) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_TRUE(messages[0].startsWith(path + QStringLiteral("\n\n") + QString::fromUtf8(c.problem)))
                << messages[0].toStdString();
            EXPECT_EQ(dialog.Picture(), png); // the picture shown stays
        } else {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(dialog.Picture(), c.bytes);
            EXPECT_FALSE(dialog.Image1->Empty());
        }
    }
    // A missing file, a cancelled file dialog, and 清除.
    TSignatureForm dialog(nullptr);
    dialog.SetPicture(png);
    messages.clear();
    SetOpenFileNameHook([&](const QString&, const QString&) { return dir.filePath("gone.png"); });
    dialog.Button3Click(nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral("The file cannot be read.")));
    SetOpenFileNameHook([&](const QString&, const QString&) { return QString(); });
    dialog.Button3Click(nullptr);
    EXPECT_EQ(dialog.Picture(), png);
    dialog.Button4Click(nullptr);
    EXPECT_TRUE(dialog.Picture().isEmpty());
    EXPECT_TRUE(dialog.Image1->Empty());
}

TEST_F(SignatureDialog, TheSignatureCellSetsAndClearsTheStoredPicture)
{
    auto store = RightsStore::Open(StoreLocation::Parse(dir.filePath("s.db")));
    store->SetPictureCheck(CheckSignaturePicture);
    store->Save({StoreChange::Insert(TableId::User, {QStringLiteral("zhang"), QStringLiteral("张三"), QVariant(), QVariant(), 1, QVariant()})});
    SetLiveStore(store.get());
    auto form = std::make_unique<TUserForm>(nullptr);
    form->Show();
    QApplication::processEvents();
    TTavikPTGrid* grid = form->TavikPTGrid1;
    form->SetActiveControl(grid);
    const QByteArray picture = Encoded(200, 80, "PNG");
    const QString path = Write("sig.png", picture);
    SetOpenFileNameHook([&](const QString&, const QString&) { return path; });

    // Each round opens the dialog from the keyboard and does one thing in it.
    const struct {
        const char* what;
        bool wasEmpty;
        void (*act)(TSignatureForm&);
        const char* cell;
        bool stored;
    } rounds[] = {
        {"cancelled", true, [](TSignatureForm& d) { d.Button3Click(nullptr); d.SetModalResult(mrCancel); }, "未设置", false},
        {"picked", true, [](TSignatureForm& d) { d.Button3Click(nullptr); d.SetModalResult(mrOk); }, "修改", true},
        {"kept", false, [](TSignatureForm& d) { d.SetModalResult(mrOk); }, "修改", true},
        {"cleared", false, [](TSignatureForm& d) { d.Button4Click(nullptr); d.SetModalResult(mrOk); }, "未设置", false},
    };
    for (const auto& r : rounds) {
        SCOPED_TRACE(r.what);
        int shown = 0;
        Application()->SetModalHook([&](TCustomForm* f) {
            auto* d = dynamic_cast<TSignatureForm*>(f);
            ASSERT_NE(d, nullptr);
            ++shown;
            EXPECT_EQ(d->Image1->Empty(), r.wasEmpty);
            r.act(*d);
        });
        grid->MoveCurrent(LiveUsers::SignatureCol, 1, true, false, false, true);
        SendKey(grid, Qt::Key_Return);
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(grid->GetCellValue(LiveUsers::SignatureCol, 1), QString::fromUtf8(r.cell));
        form->Live()->Save();
        EXPECT_TRUE(messages.empty()) << messages.front().toStdString();
        const QVariant stored = RightsStore::Open(StoreLocation::Parse(dir.filePath("s.db")))
                                    ->Load(TableId::User)[0].values[Col::UserSignature];
        EXPECT_EQ(stored.isNull(), !r.stored);
        if (r.stored) {
            EXPECT_EQ(stored.toByteArray(), picture);
        }
    }
    Application()->SetModalHook({});
    form.reset();
    SetLiveStore(nullptr);
}

} // namespace
