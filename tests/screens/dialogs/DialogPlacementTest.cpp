// The dialogs the live screens add, as --dump shows them, against the layout
// tables they were designed from: class, placement relative to the parent's
// client area, caption or text, tab order and visibility, and the grids' head
// rows. Every control of a dialog must be listed.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include <climits>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "app/ScreenSnapshot.h"
#include "app/Startup.h"
#include "platform/framework/Form.h"
#include "screens/dialogs/PickListForm.h"
#include "screens/dialogs/PostPicker.h"
#include "screens/dialogs/SignatureForm.h"

namespace {

constexpr int kAny = INT_MIN;

struct Ctl {
    const char* name;
    const char* cls;
    int left, top, width, height;
    const char* text; // caption or edit text; nullptr: not checked
    int tabOrder = kAny;
};

struct GridCase {
    const char* name;
    int cols;
    const char* colWidths;
    const char* head; // row 0, cells joined by '|'
};

struct DialogCase {
    const char* cls;
    std::function<TCustomForm*()> make;
    const char* caption;
    int clientWidth, clientHeight;
    std::vector<Ctl> controls;
    std::vector<GridCase> grids;
};

// The button bar every new dialog shares, for a client width.
std::vector<Ctl> ButtonBar(int width, int height, int tabOrder)
{
    return {
        {"GradientPanel1", "TGradientPanel", 0, height - 36, width, 36, nullptr, tabOrder},
        {"Bevel1", "TBevel", 0, 0, width, 50, nullptr},
        {"Button1", "TButton", width - 172, 6, 75, 25, "确定", 0},
        {"Button2", "TButton", width - 91, 6, 75, 25, "取消", 1},
    };
}

std::vector<Ctl> Joined(std::vector<Ctl> a, const std::vector<Ctl>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<DialogCase> Dialogs()
{
    std::vector<DialogCase> d;
    d.push_back({"TPickListForm", [] { return new TPickListForm(nullptr); }, "选择", 400, 360,
                 Joined({
                            {"GradientPanel4", "TGradientPanel", 0, 0, 400, 40, nullptr, 0},
                            {"Label1", "TLabel", 16, 15, 48, 12, "查找(&F):"},
                            {"Edit1", "TEdit", 76, 13, 308, 18, "", 0},
                            {"GradientPanel3", "TGradientPanel", 0, 40, 400, 284, "GradientPanel3", 1},
                            {"TavikPTGrid1", "TTavikPTGrid", 1, 1, 398, 282, nullptr, 0},
                        },
                        ButtonBar(400, 360, 2)),
                 {{"TavikPTGrid1", 4, "20,36,150,186", "|选择|登录账号|用户名称"}}});
    d.push_back({"TPostPickerForm", [] { return new TPostPickerForm(nullptr); }, "选择岗位", 440, 400,
                 Joined({
                            {"GradientPanel2", "TGradientPanel", 0, 0, 440, 22, "组织机构", 0},
                            {"GradientPanel3", "TGradientPanel", 0, 22, 440, 342, "GradientPanel3", 1},
                            {"TavikPTGrid1", "TTavikPTGrid", 1, 1, 438, 340, nullptr, 0},
                        },
                        ButtonBar(440, 400, 2)),
                 // The level column is hidden.
                 {{"TavikPTGrid1", 5, "20,240,36,120,0", "|组织机构与岗位|选择|岗位编码|"}}});
    d.push_back({"TSignatureForm", [] { return new TSignatureForm(nullptr); }, "签名图片", 380, 226,
                 Joined({
                            {"GradientPanel4", "TGradientPanel", 0, 0, 380, 190, nullptr, 0},
                            {"Image1", "TSignatureView", 16, 12, 260, 140, nullptr},
                            {"Label1", "TLabel", 16, 164, 348, 12, "PNG、JPEG 或 BMP，不超过 1 MB 和 2000×2000 像素"},
                            {"Button3", "TButton", 288, 12, 76, 25, "浏览(&B)...", 0},
                            {"Button4", "TButton", 288, 43, 76, 25, "清除(&C)", 1},
                        },
                        ButtonBar(380, 226, 1)),
                 {}});
    return d;
}

void Collect(const QJsonObject& o, std::map<QString, QJsonObject>& out)
{
    for (const QJsonValue& v : o["children"].toArray()) {
        const QJsonObject child = v.toObject();
        out[child["name"].toString()] = child;
        Collect(child, out);
    }
}

QString Join(const QJsonArray& values, const char* sep)
{
    QStringList parts;
    for (const QJsonValue& v : values)
        parts << (v.isString() ? v.toString() : QString::number(v.toInt()));
    return parts.join(QLatin1String(sep));
}

void ExpectField(const QJsonObject& o, const char* field, int expected)
{
    if (expected != kAny) {
        EXPECT_EQ(o[field].toInt(), expected) << field;
    }
}

} // namespace

TEST(DialogPlacement, shouldDumpEveryNewDialogAsItsLayoutTableSays)
{
    RunUnitStartup();
    for (const DialogCase& dc : Dialogs()) {
        SCOPED_TRACE(dc.cls);
        std::unique_ptr<TCustomForm> form(dc.make());
        const QJsonObject dump = DumpForm(form.get());
        EXPECT_EQ(dump["class"].toString(), QString::fromUtf8(dc.cls));
        EXPECT_EQ(dump["caption"].toString(), QString::fromUtf8(dc.caption));
        EXPECT_EQ(dump["clientWidth"].toInt(), dc.clientWidth);
        EXPECT_EQ(dump["clientHeight"].toInt(), dc.clientHeight);
        // The designed dialogs' window: font, colour, border.
        EXPECT_EQ(form->Font().Name(), QStringLiteral("宋体"));
        EXPECT_EQ(form->Font().Height(), -12);
        EXPECT_EQ(form->Color(), TColor(15658734));
        EXPECT_EQ(form->BorderStyle(), bsDialog);

        std::map<QString, QJsonObject> byName;
        Collect(dump, byName);
        std::set<QString> listed;
        for (const Ctl& c : dc.controls) {
            SCOPED_TRACE(c.name);
            listed.insert(QString::fromLatin1(c.name));
            auto it = byName.find(QString::fromLatin1(c.name));
            ASSERT_NE(it, byName.end());
            const QJsonObject& o = it->second;
            EXPECT_EQ(o["class"].toString(), QString::fromLatin1(c.cls));
            ExpectField(o, "left", c.left);
            ExpectField(o, "top", c.top);
            ExpectField(o, "width", c.width);
            ExpectField(o, "height", c.height);
            ExpectField(o, "tabOrder", c.tabOrder);
            EXPECT_TRUE(o["visible"].toBool());
            if (c.text) {
                EXPECT_EQ(o.contains("text") ? o["text"].toString() : o["caption"].toString(), QString::fromUtf8(c.text));
            }
        }
        for (const auto& [name, o] : byName)
            EXPECT_TRUE(listed.count(name)) << "unlisted control " << qPrintable(name);
        for (const GridCase& g : dc.grids) {
            SCOPED_TRACE(g.name);
            const QJsonObject& o = byName[QString::fromLatin1(g.name)];
            EXPECT_EQ(o["colCount"].toInt(), g.cols);
            EXPECT_EQ(Join(o["colWidths"].toArray(), ","), QString::fromLatin1(g.colWidths));
            EXPECT_EQ(Join(o["cells"].toArray().at(0).toArray(), "|"), QString::fromUtf8(g.head));
        }
    }
}
