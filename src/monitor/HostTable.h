#pragma once

#include "platform/gui/Gui.h"
#include "text/Text.h"

// The host table: the main window's grid, one host per data row.
//   0 序号  1 别名  2 主机名/域名  3 IP  4 结果  5 是否IP地址 (hidden)
//   6 测试(次)  7 最小(MS)  8 最大(MS)
inline constexpr char kHostTableSpec[] =
    "序号=50;别名=100;主机名/"
    "域名=130;IP=120;结果=200;是否IP地址=0;测试(次)=65;最小(MS)=65;最大(MS)=65";

gui::Grid HostTableGrid();

// Lays the table out anew and loads the saved hosts and the pause.
void LoadHostTable();
void AppendHostRow(const Text& alias, const Text& host);
// Four parts, each a number in its shortest decimal form below 256.
bool IsIPv4Literal(const Text& text);
void RenumberRows();
