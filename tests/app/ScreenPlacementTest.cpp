// Every control of every screen, as the --dump output shows it, against the
// layout tables the screens were designed from: class, placement relative to
// the parent's client area, caption or text, tab order and visibility; for
// grids the counts, effective sizes and head row; for toolbars their items.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonObject>

#include <algorithm>
#include <climits>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "app/GalleryForm.h"
#include "app/ScreenCatalog.h"
#include "app/ScreenSnapshot.h"
#include "app/Startup.h"
#include "chrome/checkboxes/SkinCheckBox.h"
#include "platform/framework/Control.h"
#include "platform/framework/Form.h"
#include "platform/controls/Label.h"

namespace {

constexpr int kAny = INT_MIN; // the layout tables leave it open
constexpr int kShown = 1, kHidden = 0;

struct Ctl {
    const char* name;
    const char* cls;
    int left, top, width, height;
    const char* text; // caption or edit text; nullptr: not checked
    int tabOrder = kAny;
    int visible = kShown;
};

struct GridCase {
    const char* name;
    int cols, rows;
    const char* colWidths; // effective: a hidden level column shows 0
    const char* rowHeights;
    const char* head; // row 0, cells joined by '|'
    int levelCol = -1;
};

struct ToolbarCase {
    const char* name;
    const char* items; // captions, '|' for a separator
};

struct ScreenCase {
    const char* variant;
    const char* cls;
    const char* caption;
    int clientWidth, clientHeight;
    std::vector<Ctl> controls;
    std::vector<GridCase> grids;
    std::vector<ToolbarCase> toolbars;
    bool attachPosts = false; // the department dialog with "挂接岗位" ticked
};

// The department dialog's header and button bar, the same in both forms.
const std::vector<Ctl> kDepartHeaderAndButtons = {
    {"GradientPanel4", "TGradientPanel", 0, 0, 563, 97, nullptr, 2},
    {"Label3", "TLabel", 16, 17, 54, 12, "部门名称:"},
    {"Label4", "TLabel", 16, 49, 54, 12, "部门编码:"},
    {"Edit3", "TEdit", 76, 15, 437, 18, "土木公司", 0},
    {"Edit4", "TEdit", 76, 47, 437, 18, "T.TM", 1},
    {"SkinCheckBox1", "TSkinCheckBox", 16, 74, 100, 17, "挂接岗位", 2},
    {"Bevel1", "TBevel", 0, 0, 563, 50, nullptr},
    {"Button1", "TButton", 391, 6, 75, 25, "确定", 0},
    {"Button2", "TButton", 472, 6, 75, 25, "取消", 1},
};

const std::vector<GridCase> kDepartGrids = {
    {"TavikPTGrid1", 3, 5, "20,124,167", "20,20,18,18,18", "|登录账号|用户名称"},
    {"TavikPTGrid2", 3, 4, "20,132,84", "20,18,20,18", "|岗位名称|岗位编码"},
};

const std::vector<ToolbarCase> kDepartToolbars = {
    {"SkinToolbar2", "选择用户 删除"},
    {"SkinToolbar1", "选择岗位 删除"},
};

std::vector<Ctl> Concat(std::vector<Ctl> a, const std::vector<Ctl>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<ScreenCase> Screens()
{
    std::vector<ScreenCase> s;
    s.push_back({"launcher", "TMainForm", "MainForm", 398, 314,
                 {
                     {"btnPost", "TButton", 112, 16, 105, 25, "岗位字典", 0},
                     {"btnUser", "TButton", 113, 64, 105, 25, "用户管理", 2},
                     {"btnOrg", "TButton", 113, 113, 105, 25, "组织机构", 1},
                     {"btnRight", "TButton", 113, 169, 105, 25, "权限设置", 3},
                     {"Button5", "TButton", 112, 224, 105, 25, "权限查询", 4},
                 },
                 {},
                 {}});
    s.push_back({"organisation", "TOrgForm", "组织机构管理", 798, 576,
                 {
                     {"SkinDock1", "TSkinDock", 0, 0, 798, 26, nullptr},
                     {"SkinToolbar6", "TSkinToolbar", 0, 0, 798, kAny, nullptr},
                     {"GradientPanel1", "TGradientPanel", 0, 26, 798, 74, nullptr, 2},
                     {"ExtGroupBox1", "TExtGroupBox", 16, 6, 193, 55, "视图样式", 0},
                     {"SkinRadioButton2", "TSkinRadioButton", 16, 24, 59, 17, "图形", 1},
                     {"SkinRadioButton1", "TSkinRadioButton", 81, 24, 49, 17, "文字", 0},
                     {"ExtGroupBox2", "TExtGroupBox", 224, 6, 329, 55, "显示层级", 1},
                     {"SkinCheckBox1", "TSkinCheckBox", 15, 24, 100, 17, "显示子机构", 0},
                     {"SkinCheckBox2", "TSkinCheckBox", 104, 24, 113, 17, "显示角色(岗位)", 1},
                     {"SkinCheckBox3", "TSkinCheckBox", 223, 24, 82, 17, "显示人员", 2},
                     {"FlatPageControl1", "TFlatPageControl", 0, 100, 798, 476, nullptr, 1},
                     // Both tabs are hidden: the active page alone shows.
                     {"tsPic", "TFlatTabSheet", kAny, kAny, 796, 455, "图形化"},
                     {"org", "TOrgChart", 0, 0, 796, 455, nullptr},
                     {"tsText", "TFlatTabSheet", kAny, kAny, 796, 455, "文字化", kAny, kHidden},
                     {"TreeView1", "TTreeView", 0, 0, 796, 455, nullptr, 0},
                 },
                 {},
                 {{"SkinToolbar6", "新增机构 | 新增部门 新增子部门 | 关联岗位 关联人员 | 属性 | 保存 取消 | 刷新 | 退出 |"}}});
    s.push_back({"posts", "TPostForm", "岗位管理", 798, 576,
                 {
                     {"SkinDock1", "TSkinDock", 0, 0, 798, 26, nullptr},
                     {"SkinToolbar6", "TSkinToolbar", 0, 0, 798, kAny, nullptr},
                     {"TavikPTGrid2", "TTavikPTGrid", 0, 26, 798, 550, nullptr, 1},
                 },
                 {{"TavikPTGrid2", 4, 4, "20,124,277,371", "20,18,20,18", "|岗位编码|岗位名称|说明"}},
                 {{"SkinToolbar6", "新增 删除 | 保存 取消 | 刷新 | 退出"}}});
    s.push_back({"users", "TUserForm", "用户管理", 798, 576,
                 {
                     {"Splitter1", "TSplitter", 225, 26, 3, 550, nullptr},
                     {"SkinDock1", "TSkinDock", 0, 0, 798, 26, nullptr},
                     {"SkinToolbar6", "TSkinToolbar", 0, 0, 798, kAny, nullptr},
                     {"GradientPanel1", "TGradientPanel", 0, 26, 225, 550, "GradientPanel1", 1},
                     {"TreeView1", "TTreeView", 0, 22, 225, 528, nullptr, 0},
                     {"GradientPanel2", "TGradientPanel", 0, 0, 225, 22, "组织机构", 1},
                     {"GradientPanel3", "TGradientPanel", 228, 26, 570, 550, "GradientPanel3", 2},
                     {"TavikPTGrid1", "TTavikPTGrid", 0, 48, 570, 299, nullptr, 0},
                     {"SkinDock2", "TSkinDock", 0, 347, 570, 26, nullptr},
                     {"SkinToolbar1", "TSkinToolbar", 0, 0, 570, kAny, nullptr},
                     {"TavikPTGrid2", "TTavikPTGrid", 0, 373, 570, 177, nullptr, 2},
                     {"SkinDock3", "TSkinDock", 0, 22, 570, 26, nullptr},
                     {"SkinToolbar2", "TSkinToolbar", 0, 0, 570, kAny, nullptr},
                     {"GradientPanel4", "TGradientPanel", 0, 0, 570, 22, "用户列表", 4},
                 },
                 {{"TavikPTGrid1", 7, 5, "20,90,135,72,72,78,94", "20,20,18,18,18", "|登录账号|用户名称|密码|签名|启用|说明"},
                  {"TavikPTGrid2", 4, 4, "20,132,74,339", "20,18,20,18", "|岗位名称|岗位编码|路径"}},
                 {{"SkinToolbar6", "保存 取消 | 刷新 | 退出"},
                  {"SkinToolbar1", "选择岗位 删除"},
                  {"SkinToolbar2", "新增用户 删除"}}});
    s.push_back({"rights", "TRightSetForm", "权限设置", 798, 576,
                 {
                     {"Splitter1", "TSplitter", 223, 26, 3, 550, nullptr},
                     {"SkinDock1", "TSkinDock", 0, 0, 798, 26, nullptr},
                     {"SkinToolbar6", "TSkinToolbar", 0, 0, 798, kAny, nullptr},
                     {"GradientPanel1", "TGradientPanel", 0, 26, 223, 550, "GradientPanel1", 1},
                     {"tvFullOrg", "TTreeView", 0, 22, 223, 528, nullptr, 0, kHidden},
                     {"GradientPanel2", "TGradientPanel", 0, 0, 223, 22, "组织机构", 1},
                     {"GradientPanel3", "TGradientPanel", 226, 26, 572, 550, "GradientPanel3", 2},
                     {"pcRight", "TFlatPageControl", 0, 0, 572, 550, nullptr, 0},
                     // The first page is active; the others wait hidden.
                     {"FlatTabSheet3", "TFlatTabSheet", kAny, kAny, kAny, kAny, "分级权限设置"},
                     {"Label14", "TLabel", 16, 15, 300, 13, "本级管理员可以将授权职能分配给下级部门的系统管理员"},
                     {"SkinCheckBox2", "TSkinCheckBox", 16, 46, 233, 17, "启用部门级系统管理员", 0},
                     {"Label3", "TLabel", 18, 78, 172, 13, "已分配的部门级系统管理员成员:"},
                     {"Label10", "TLabel", 196, 78, 84, 12, " ·选择用户(&U)"},
                     {"Label18", "TLabel", 292, 78, 72, 12, " ·删除(&Del)"},
                     {"TavikPTGrid1", "TTavikPTGrid", 16, 104, 537, 129, nullptr, 1},
                     {"Label4", "TLabel", 16, 247, 148, 13, "已分配的可管理的系统功能:"},
                     {"Label11", "TLabel", 170, 248, 114, 12, " ·选择系统功能(&F) "},
                     {"Label19", "TLabel", 292, 248, 72, 12, " ·删除(&Del)"},
                     {"TavikPTGrid3", "TTavikPTGrid", 18, 266, 537, 239, nullptr, 2},
                     {"FlatTabSheet2", "TFlatTabSheet", kAny, kAny, kAny, kAny, "行政和业务隶属关系设置", kAny, kHidden},
                     {"Label13", "TLabel", 16, 15, 240, 13, "设置角色之间在行政上和业务上的隶属关系。"},
                     {"Label2", "TLabel", 16, 46, 100, 13, "可管理的组织机构:"},
                     {"Label12", "TLabel", 122, 47, 108, 12, " ·选择组织机构(&O)"},
                     {"Label17", "TLabel", 244, 47, 72, 12, " ·删除(&Del)"},
                     {"TavikPTGrid2", "TTavikPTGrid", 16, 65, 537, 440, nullptr, 0},
                     {"FlatTabSheet1", "TFlatTabSheet", kAny, kAny, kAny, kAny, "角色信任关系设置", kAny, kHidden},
                     {"Label23", "TLabel", 16, 15, 384, 13, "设置不同角色之间的信任关系。被信任的角色可以浏览信任角色的数据。"},
                     {"Label24", "TLabel", 16, 46, 76, 13, "可信任的角色:"},
                     {"Label25", "TLabel", 98, 47, 84, 12, " ·选择角色(&R)"},
                     {"Label26", "TLabel", 188, 47, 72, 12, " ·删除(&Del)"},
                     {"TavikPTGrid6", "TTavikPTGrid", 16, 65, 537, 440, nullptr, 0},
                     {"FlatTabSheet5", "TFlatTabSheet", kAny, kAny, kAny, kAny, "功能和数据策略设置", kAny, kHidden},
                     {"Label15", "TLabel", 16, 15, 444, 13,
                      "本级管理员可以将管辖的系统功能分配到岗位。上级岗位自动拥有下级岗位的权限。"},
                     {"Label1", "TLabel", 16, 46, 148, 13, "已分配的可访问的系统功能:"},
                     {"Label7", "TLabel", 170, 47, 90, 12, " ·选择功能(&F) "},
                     {"Label8", "TLabel", 266, 47, 90, 12, " ·设置策略(&S) "},
                     {"Label21", "TLabel", 379, 47, 66, 12, " ·全选(&A) "},
                     {"Label22", "TLabel", 451, 47, 78, 12, " ·全不选(&U) "},
                     {"TavikPTGrid7", "TTavikPTGrid", 16, 65, 537, 416, nullptr, 0},
                     {"SkinCheckBox1", "TSkinCheckBox", 16, 487, 113, 17, "显示继承的权限", 1},
                     {"FlatTabSheet4", "TFlatTabSheet", kAny, kAny, kAny, kAny, "公共资源策略设置", kAny, kHidden},
                     {"Label16", "TLabel", 16, 15, 324, 13, "设置角色位对系统主要资源的访问权限。未设置表明不限制。"},
                     {"Label5", "TLabel", 16, 46, 76, 13, "受限资源分类:"},
                     {"TavikPTGrid4", "TTavikPTGrid", 16, 67, 537, 118, nullptr, 1},
                     {"Label6", "TLabel", 16, 206, 76, 13, "受限资源范围:"},
                     {"Label9", "TLabel", 98, 207, 90, 12, " ·选择资源(&F) "},
                     {"Label20", "TLabel", 194, 207, 72, 12, " ·删除(&Del)"},
                     {"TavikPTGrid5", "TTavikPTGrid", 16, 225, 537, 256, nullptr, 0},
                     {"SkinCheckBox3", "TSkinCheckBox", 16, 487, 113, 17, "显示继承的权限", 2},
                 },
                 {
                     {"TavikPTGrid1", 3, 3, "20,287,225", "20,20,18", "|用户名称|登录账号"},
                     {"TavikPTGrid3", 3, 8, "20,287,226", "20,20,18,18,18,18,18,18", "|功能名称|描述"},
                     {"TavikPTGrid2", 5, 5, "20,119,75,254,63", "20,18,20,18,18", "|机构名称|机构编码|路径|机构类型"},
                     {"TavikPTGrid6", 5, 2, "20,119,75,63,254", "20,18", "|被信任角色名称|角色编码|信任程度|路径"},
                     // The level column (stored 72 wide) is hidden once the grid is read.
                     {"TavikPTGrid7", 9, 12, "20,166,58,58,58,58,58,53,0", "20,18,18,20,18,18,18,18,18,18,18,18",
                      "|功能名称|浏览自己|修改自己|浏览全部|修改全部|审核|策略|", 8},
                     {"TavikPTGrid4", 3, 2, "20,311,202", "20,18", "|资源分类名称|资源分类编码"},
                     {"TavikPTGrid5", 6, 2, "20,198,126,62,62,62", "20,20", "|资源名称|资源编码|启用浏览|启用修改|启用删除"},
                 },
                 {{"SkinToolbar6", "复制权限 粘贴权限 | 保存 取消 | 刷新 | 退出 |"}}});
    s.push_back({"department, full", "TDepartPropForm", "部门属性", 563, 374,
                 Concat(
                     {
                         {"Splitter1", "TSplitter", 241, 97, 3, 241, nullptr},
                         {"pnlUser", "TGradientPanel", 244, 97, 319, 241, "pnlUser", 1},
                         {"TavikPTGrid1", "TTavikPTGrid", 1, 27, 317, 213, nullptr, 0},
                         {"SkinDock3", "TSkinDock", 1, 1, 317, 26, nullptr},
                         {"SkinToolbar2", "TSkinToolbar", 0, 0, 317, kAny, nullptr},
                         {"pnlPost", "TGradientPanel", 0, 97, 241, 241, nullptr, 0},
                         {"TavikPTGrid2", "TTavikPTGrid", 0, 26, 241, 215, nullptr, 0},
                         {"SkinDock2", "TSkinDock", 0, 0, 241, 26, nullptr},
                         {"SkinToolbar1", "TSkinToolbar", 0, 0, 241, kAny, nullptr},
                         {"GradientPanel1", "TGradientPanel", 0, 338, 563, 36, nullptr, 3},
                     },
                     kDepartHeaderAndButtons),
                 kDepartGrids, kDepartToolbars, true});
    // The short form hides both grid panels and leaves no room between the
    // header and the button bar, which overlaps the header's last 3 pixels.
    s.push_back({"department, short", "TDepartPropForm", "部门属性", 563, 130,
                 Concat(
                     {
                         {"Splitter1", "TSplitter", kAny, kAny, kAny, kAny, nullptr},
                         {"pnlUser", "TGradientPanel", kAny, 97, kAny, 241, "pnlUser", 1, kHidden},
                         {"TavikPTGrid1", "TTavikPTGrid", 1, 27, kAny, 213, nullptr, 0},
                         {"SkinDock3", "TSkinDock", 1, 1, kAny, 26, nullptr},
                         {"SkinToolbar2", "TSkinToolbar", 0, 0, kAny, kAny, nullptr},
                         {"pnlPost", "TGradientPanel", 0, 97, 241, 241, nullptr, 0, kHidden},
                         {"TavikPTGrid2", "TTavikPTGrid", 0, 26, 241, 215, nullptr, 0},
                         {"SkinDock2", "TSkinDock", 0, 0, 241, 26, nullptr},
                         {"SkinToolbar1", "TSkinToolbar", 0, 0, 241, kAny, nullptr},
                         {"GradientPanel1", "TGradientPanel", 0, 94, 563, 36, nullptr, 3},
                     },
                     kDepartHeaderAndButtons),
                 kDepartGrids, kDepartToolbars});
    s.push_back({"role", "TRolePropForm", "角色属性(部门岗位)", 440, 334,
                 {
                     {"GradientPanel3", "TGradientPanel", 0, 78, 440, 220, "GradientPanel3", 1},
                     {"TavikPTGrid1", "TTavikPTGrid", 1, 27, 438, 192, nullptr, 0},
                     {"SkinDock3", "TSkinDock", 1, 1, 438, 26, nullptr},
                     {"SkinToolbar2", "TSkinToolbar", 0, 0, 438, kAny, nullptr},
                     {"GradientPanel1", "TGradientPanel", 0, 298, 440, 36, nullptr, 0},
                     {"Button1", "TButton", 263, 5, 75, 25, "确定", 0},
                     {"Button2", "TButton", 344, 6, 75, 25, "取消", 1},
                     {"GradientPanel4", "TGradientPanel", 0, 0, 440, 78, nullptr, 2},
                     {"Label3", "TLabel", 16, 17, 54, 12, "岗位名称:"},
                     {"Label4", "TLabel", 16, 49, 30, 12, "路径:"},
                     {"Edit3", "TEdit", 76, 15, 343, 18, "副总经理", 0},
                     {"Edit4", "TEdit", 76, 39, 343, 18, "董事会\\总经理办公室\\全资子公司\\土木公司", 1},
                 },
                 {{"TavikPTGrid1", 3, 3, "20,124,167", "20,20,18", "|登录账号|用户名称"}},
                 {{"SkinToolbar2", "选择用户 删除"}}});
    s.push_back({"password", "TPasswordForm", "设置密码", 330, 126,
                 {
                     {"GradientPanel4", "TGradientPanel", 0, 0, 330, 90, nullptr, 0},
                     {"Label1", "TLabel", 16, 21, 48, 12, "密码(&P):"},
                     {"Label2", "TLabel", 16, 53, 72, 12, "确认密码(&C):"},
                     {"Edit1", "TEdit", 92, 19, 221, 18, "", 0},
                     {"Edit2", "TEdit", 92, 51, 221, 18, "", 1},
                     {"GradientPanel1", "TGradientPanel", 0, 90, 330, 36, nullptr, 1},
                     {"Bevel1", "TBevel", 0, 0, 330, 50, nullptr},
                     {"Button1", "TButton", 158, 6, 75, 25, "确定", 0},
                     {"Button2", "TButton", 239, 6, 75, 25, "取消", 1},
                 },
                 {},
                 {}});
    // The live screens' dialogs share one button bar.
    auto withButtons = [](std::vector<Ctl> controls, int width, int height, int tabOrder) {
        controls.insert(controls.end(), {
                                            {"GradientPanel1", "TGradientPanel", 0, height - 36, width, 36, nullptr, tabOrder},
                                            {"Bevel1", "TBevel", 0, 0, width, 50, nullptr},
                                            {"Button1", "TButton", width - 172, 6, 75, 25, "确定", 0},
                                            {"Button2", "TButton", width - 91, 6, 75, 25, "取消", 1},
                                        });
        return controls;
    };
    s.push_back({"user picker", "TPickListForm", "选择", 400, 360,
                 withButtons(
                     {
                         {"GradientPanel4", "TGradientPanel", 0, 0, 400, 40, nullptr, 0},
                         {"Label1", "TLabel", 16, 15, 48, 12, "查找(&F):"},
                         {"Edit1", "TEdit", 76, 13, 308, 18, "", 0},
                         {"GradientPanel3", "TGradientPanel", 0, 40, 400, 284, "GradientPanel3", 1},
                         {"TavikPTGrid1", "TTavikPTGrid", 1, 1, 398, 282, nullptr, 0},
                     },
                     400, 360, 2),
                 {{"TavikPTGrid1", 4, 1, "20,36,150,186", "20", "|选择|登录账号|用户名称"}},
                 {}});
    s.push_back({"post picker", "TPostPickerForm", "选择岗位", 440, 400,
                 withButtons(
                     {
                         {"GradientPanel2", "TGradientPanel", 0, 0, 440, 22, "组织机构", 0},
                         {"GradientPanel3", "TGradientPanel", 0, 22, 440, 342, "GradientPanel3", 1},
                         {"TavikPTGrid1", "TTavikPTGrid", 1, 1, 438, 340, nullptr, 0},
                     },
                     440, 400, 2),
                 {{"TavikPTGrid1", 5, 1, "20,240,36,120,0", "20", "|组织机构与岗位|选择|岗位编码|", 4}},
                 {}});
    s.push_back({"signature", "TSignatureForm", "签名图片", 380, 226,
                 withButtons(
                     {
                         {"GradientPanel4", "TGradientPanel", 0, 0, 380, 190, nullptr, 0},
                         {"Image1", "TSignatureView", 16, 12, 260, 140, nullptr},
                         {"Label1", "TLabel", 16, 164, 348, 12, "PNG、JPEG 或 BMP，不超过 1 MB 和 2000×2000 像素"},
                         {"Button3", "TButton", 288, 12, 76, 25, "浏览(&B)...", 0},
                         {"Button4", "TButton", 288, 43, 76, 25, "清除(&C)", 1},
                     },
                     380, 226, 1),
                 {},
                 {}});
    return s;
}

// Every control of the dump by name; toolbar items go with their toolbar.
void Collect(const QJsonObject& o, std::map<QString, QJsonObject>& out)
{
    for (const QJsonValue& v : o["children"].toArray()) {
        const QJsonObject child = v.toObject();
        out[child["name"].toString()] = child;
        if (child["class"].toString() != "TSkinToolbar")
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

QString ToolbarItems(const QJsonObject& toolbar)
{
    QStringList items;
    for (const QJsonValue& v : toolbar["children"].toArray()) {
        const QJsonObject item = v.toObject();
        items << (item["class"].toString() == "TSkinSeparatorItem" ? QStringLiteral("|") : item["caption"].toString());
    }
    return items.join(' ');
}

QJsonObject Dump(const ScreenCase& sc)
{
    const ScreenEntry* entry = FindScreen(QString::fromLatin1(sc.cls));
    if (!entry)
        return {};
    std::unique_ptr<TCustomForm> form(entry->make(nullptr));
    if (sc.attachPosts)
        if (auto* attach = dynamic_cast<TSkinCheckBox*>(form->FindComponent("SkinCheckBox1")))
            attach->SetChecked(true);
    return DumpForm(form.get());
}

void ExpectField(const QJsonObject& o, const char* field, int expected)
{
    if (expected != kAny) {
        EXPECT_EQ(o[field].toInt(), expected) << field;
    }
}

} // namespace

TEST(ScreenPlacement, shouldDumpEveryScreenAsItsLayoutTableSays)
{
    RunUnitStartup();
    for (const ScreenCase& sc : Screens()) {
        SCOPED_TRACE(sc.variant);
        const QJsonObject dump = Dump(sc);
        ASSERT_FALSE(dump.isEmpty()) << "no screen class " << sc.cls;
        EXPECT_EQ(dump["class"].toString(), QString::fromUtf8(sc.cls));
        EXPECT_EQ(dump["caption"].toString(), QString::fromUtf8(sc.caption));
        EXPECT_EQ(dump["clientWidth"].toInt(), sc.clientWidth);
        EXPECT_EQ(dump["clientHeight"].toInt(), sc.clientHeight);

        std::map<QString, QJsonObject> byName;
        Collect(dump, byName);
        std::set<QString> listed;
        for (const Ctl& c : sc.controls) {
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
            EXPECT_EQ(o["visible"].toBool(), c.visible == kShown);
            if (c.text) {
                EXPECT_EQ(o.contains("text") ? o["text"].toString() : o["caption"].toString(), QString::fromUtf8(c.text));
            }
        }
        // Nothing on the screen that the tables do not place.
        for (const auto& [name, o] : byName)
            EXPECT_TRUE(listed.count(name)) << "unlisted control " << qPrintable(name);

        for (const GridCase& g : sc.grids) {
            SCOPED_TRACE(g.name);
            auto it = byName.find(QString::fromLatin1(g.name));
            ASSERT_NE(it, byName.end());
            const QJsonObject& o = it->second;
            EXPECT_EQ(o["colCount"].toInt(), g.cols);
            EXPECT_EQ(o["rowCount"].toInt(), g.rows);
            EXPECT_EQ(o["fixedCols"].toInt(), 1);
            EXPECT_EQ(o["fixedRows"].toInt(), 1);
            EXPECT_EQ(Join(o["colWidths"].toArray(), ","), QString::fromLatin1(g.colWidths));
            EXPECT_EQ(Join(o["rowHeights"].toArray(), ","), QString::fromLatin1(g.rowHeights));
            EXPECT_EQ(Join(o["cells"].toArray().at(0).toArray(), "|"), QString::fromUtf8(g.head));
            EXPECT_EQ(o["levelCol"].toInt(), g.levelCol);
            EXPECT_EQ(o["isTree"].toBool(), g.levelCol >= 0);
        }
        for (const ToolbarCase& t : sc.toolbars) {
            SCOPED_TRACE(t.name);
            auto it = byName.find(QString::fromLatin1(t.name));
            ASSERT_NE(it, byName.end());
            EXPECT_EQ(ToolbarItems(it->second), QString::fromUtf8(t.items));
        }
    }
}

TEST(ScreenPlacement, shouldOverlapNoSiblingOnAnyScreen)
{
    // Labels, whose widths come from measuring their text, never cover a
    // sibling (some other controls overlap by design, e.g. the level check boxes).
    RunUnitStartup();
    for (const ScreenEntry& entry : ScreenCatalog()) {
        SCOPED_TRACE(entry.className);
        std::unique_ptr<TCustomForm> form(entry.make(nullptr));
        std::vector<TWinControl*> parents{form.get()};
        for (size_t i = 0; i < parents.size(); ++i) {
            const auto& kids = parents[i]->ControlList();
            for (size_t a = 0; a < kids.size(); ++a) {
                if (auto* w = dynamic_cast<TWinControl*>(kids[a]))
                    parents.push_back(w);
                for (size_t b = a + 1; b < kids.size(); ++b) {
                    const TControl* x = kids[a];
                    const TControl* y = kids[b];
                    if (!x->Visible() || !y->Visible() || x->Align() == alClient || y->Align() == alClient)
                        continue;
                    if (!dynamic_cast<const TLabel*>(x) && !dynamic_cast<const TLabel*>(y))
                        continue;
                    const TRect r = x->BoundsRect(), s = y->BoundsRect();
                    const bool overlap = r.Left < s.Right && s.Left < r.Right && r.Top < s.Bottom && s.Top < r.Bottom;
                    EXPECT_FALSE(overlap) << qPrintable(x->Name()) << " and " << qPrintable(y->Name());
                }
            }
        }
    }
}

TEST(ScreenPlacement, shouldDumpEachKindOfControlWithItsOwnKeys)
{
    // Edits show their content as "text", everything else as "caption" (either
    // only when not empty); grids and charts add their own keys.
    const QStringList grid = {"cells", "colCount", "colWidths", "fixedCols", "fixedRows",
                              "isTree", "levelCol", "rowCount", "rowHeights"};
    const QStringList chart = {"count", "nodes", "selected"};
    struct Kind {
        const char* cls;
        const char* content; // "text", "caption" or "" for none
        QStringList extra;
    };
    const std::vector<Kind> kinds = {
        {"TEdit", "text", {}},                {"TInplaceEdit", "text", {}},
        {"TButton", "caption", {}},           {"TLabel", "caption", {}},
        {"TExtGroupBox", "caption", {}},      {"TGradientPanel", "caption", {}},
        {"TFlatTabSheet", "caption", {}},     {"TSkinCheckBox", "caption", {}},
        {"TSkinRadioButton", "caption", {}},  {"TSkinToolbar", "caption", {}},
        {"TSkinItem", "caption", {}},         {"TSkinSeparatorItem", "", {}},
        {"TSkinDock", "", {}},                {"TBevel", "", {}},
        {"TSplitter", "", {}},                {"TTreeView", "", {}},
        {"TFlatPageControl", "", {}},         {"TGalleryDrawGrid", "", {}},
        {"TGalleryEditorGrid", "", {}},       {"TTavikPTGrid", "", grid},
        {"TGalleryViewGrid", "", grid},       {"TOrgChart", "", chart},
        {"TSignatureView", "", {}},
    };
    const QStringList common = {"class", "name", "left", "top", "width", "height",
                                "visible", "enabled", "tabOrder", "children"};
    RunUnitStartup();
    std::vector<std::pair<QString, std::function<std::unique_ptr<TCustomForm>()>>> forms;
    for (const ScreenEntry& entry : ScreenCatalog())
        forms.emplace_back(QString::fromLatin1(entry.className), [&entry] { return std::unique_ptr<TCustomForm>(entry.make(nullptr)); });
    forms.emplace_back("TGalleryForm", [] { return std::make_unique<TGalleryForm>(nullptr); });
    std::map<QString, int> texts;
    for (const auto& [name, make] : forms) {
        SCOPED_TRACE(qPrintable(name));
        std::vector<QJsonObject> controls;
        std::function<void(const QJsonObject&)> walk = [&](const QJsonObject& o) {
            for (const QJsonValue& v : o["children"].toArray()) {
                controls.push_back(v.toObject());
                walk(v.toObject());
            }
        };
        walk(DumpForm(make().get()));
        for (const QJsonObject& o : controls) {
            const QString cls = o["class"].toString();
            SCOPED_TRACE(qPrintable(cls + " " + o["name"].toString()));
            auto kind = std::find_if(kinds.begin(), kinds.end(), [&](const Kind& k) { return cls == k.cls; });
            ASSERT_NE(kind, kinds.end()) << "a kind of control the table does not know";
            QStringList expected = common + kind->extra;
            const QString content = QString::fromLatin1(kind->content);
            if (!content.isEmpty() && o.contains(content)) {
                expected << content;
                texts[cls] += content == "text";
            }
            QStringList keys = o.keys();
            keys.sort();
            expected.sort();
            EXPECT_EQ(keys.join(' ').toStdString(), expected.join(' ').toStdString());
        }
    }
    EXPECT_EQ(texts["TEdit"], 4);        // the name and code edits of the department and role dialogs
    EXPECT_EQ(texts["TInplaceEdit"], 1); // the gallery's open cell editor
}
