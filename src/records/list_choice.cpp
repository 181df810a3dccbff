#include "records/list_choice.h"

#include "base/ini_file.h"

namespace {
const ListInfo kLists[kListCount] = {
    {"date_n.dat", "n.htm", "/n最近玩过游戏", "当前列表 >> 最近玩过的游戏：", "清空全部玩过的游戏",
     "确定要删除全部[最近玩过的游戏]列表吗？"},
    {"date_c.dat", "c.htm", "/n我收藏的游戏", "当前列表 >> 我收藏的游戏：", "清空全部收藏的游戏",
     "确定要删除全部[收藏的游戏]列表吗？"},
    {"date_d.dat", "d.htm", "/n已下载的游戏", "当前列表 >> 已下载的游戏：", "清空全部下载的游戏",
     "确定要删除全部[下载]记录吗？此操作将同时删除所有下载的游戏文件！"},
};
} // namespace

const ListInfo &listInfo(ListKind kind) { return kLists[int(kind)]; }

std::optional<int> entryLineNumber(const QString &link, const QString &scheme)
{
    QString rest = link;
    rest.remove(scheme);
    if (scheme == "delk://")
        rest.remove('/'); // every "/" of a delete link is ignored
    else if (rest.endsWith('/'))
        rest.chop(1);
    return parseInt32(rest);
}
