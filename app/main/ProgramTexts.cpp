#include "app/main/ProgramTexts.h"

#include "platform/core/Strings.h"
#include "skin/data/ResourceStrings.h"

namespace {

struct TProgramText {
    const char* Key;
    const char* Text;
};

constexpr TProgramText ProgramTexts[] = {
    {"MI_MINCAPTION", "最小化(&N)"},
    {"MI_MAXCAPTION", "最大化(&X)"},
    {"MI_CLOSECAPTION", "关闭(&C)"},
    {"MI_RESTORECAPTION", "还原(&R)"},
    {"MI_MINTOTRAYCAPTION", "最小化到托盘(&T)"},
    {"MI_ROLLUPCAPTION", "卷起(&L)"},
    {"MINBUTTON_HINT", "最小化"},
    {"MAXBUTTON_HINT", "最大化"},
    {"CLOSEBUTTON_HINT", "关闭"},
    {"TRAYBUTTON_HINT", "最小化到托盘"},
    {"ROLLUPBUTTON_HINT", "卷起"},
    {"MENUBUTTON_HINT", "系统菜单"},
    {"RESTORE_HINT", "还原"},
    {"EDIT_UNDO", "撤销"},
    {"EDIT_COPY", "复制"},
    {"EDIT_CUT", "剪切"},
    {"EDIT_PASTE", "粘贴"},
    {"EDIT_DELETE", "删除"},
    {"EDIT_SELECTALL", "全选"},
    {"MSG_BTN_YES", "是(&Y)"},
    {"MSG_BTN_NO", "否(&N)"},
    {"MSG_BTN_OK", "确定"},
    {"MSG_BTN_CANCEL", "取消"},
    {"MSG_BTN_ABORT", "中止(&A)"},
    {"MSG_BTN_RETRY", "重试(&R)"},
    {"MSG_BTN_IGNORE", "忽略(&I)"},
    {"MSG_BTN_ALL", "全部(&A)"},
    {"MSG_BTN_NOTOALL", "全部否(&O)"},
    {"MSG_BTN_YESTOALL", "全部是(&Y)"},
    {"MSG_BTN_HELP", "帮助(&H)"},
    {"MSG_BTN_OPEN", "打开(&O)"},
    {"MSG_BTN_SAVE", "保存(&S)"},
    {"MSG_BTN_CLOSE", "关闭"},
    {"MSG_BTN_BACK_HINT", "返回上一个文件夹"},
    {"MSG_BTN_UP_HINT", "向上一级"},
    {"MSG_BTN_NEWFOLDER_HINT", "新建文件夹"},
    {"MSG_BTN_VIEWMENU_HINT", "查看方式"},
    {"MSG_BTN_STRETCH_HINT", "拉伸图片"},
    {"MSG_FILENAME", "文件名："},
    {"MSG_FILETYPE", "文件类型："},
    {"MSG_NEWFOLDER", "新建文件夹"},
    {"MSG_LV_DETAILS", "详细信息"},
    {"MSG_LV_ICON", "大图标"},
    {"MSG_LV_SMALLICON", "小图标"},
    {"MSG_LV_LIST", "列表"},
    {"MSG_PREVIEWSKIN", "预览"},
    {"MSG_PREVIEWBUTTON", "按钮"},
    {"MSG_OVERWRITE", "要覆盖已有的文件吗？"},
    {"MSG_CAP_WARNING", "警告"},
    {"MSG_CAP_ERROR", "错误"},
    {"MSG_CAP_INFORMATION", "提示"},
    {"MSG_CAP_CONFIRM", "确认"},
    {"MSG_CAP_SHOWFLAG", "不再显示此消息"},
    {"ERROR", "错误"},
    {"NODISKINDRIVE", "驱动器中没有磁盘，或驱动器没有准备好"},
    {"NOVALIDDRIVEID", "无效的驱动器"},
    {"FLV_NAME", "名称"},
    {"FLV_SIZE", "大小"},
    {"FLV_TYPE", "类型"},
    {"FLV_LOOKIN", "查找范围："},
    {"FLV_MODIFIED", "修改日期"},
    {"FLV_ATTRIBUTES", "属性"},
    {"FLV_DISKSIZE", "总大小"},
    {"FLV_FREESPACE", "可用空间"},
};

} // namespace

void PutProgramTexts(TbsResourceStrData& ATable)
{
    TStrings& lines = *ATable.ResStrings();
    for (const TProgramText& t : ProgramTexts)
        lines.SetValues(t.Key, t.Text);
}
