#include "controls/logic/KitLayout.h"

#include <algorithm>

#include "controls/logic/KitPalette.h"

GroupBoxLayout LayoutGroupBox(const KitRect& frame, int titleWidth, int titleHeight, GroupAlign align,
                              int titleInset) {
    GroupBoxLayout layout{};
    layout.LineY = frame.Top + titleHeight / 2 - 1;
    switch (align) {
    case GroupAlign::Left:
        layout.TitleLeft = frame.Left + titleInset;
        break;
    case GroupAlign::Right:
        layout.TitleLeft = frame.Right - titleInset - titleWidth;
        break;
    case GroupAlign::Centre:
        layout.TitleLeft = frame.Left + (frame.Width() - titleWidth) / 2;
        break;
    }
    layout.TitleRight = layout.TitleLeft + titleWidth;
    return layout;
}

std::string GroupBoxTitle(const std::string& text) { return text.empty() ? std::string() : " " + text + " "; }

ProgressBoxLayout LayoutProgressBox(int w, int h) {
    ProgressBoxLayout l;
    l.Title = {w / 3, h / 3, 2 * w / 3, h / 3 + h / 2};
    l.Animation = {w / 3, h / 3 - 30, 2 * w / 3, h / 3 - 5};
    l.Bar = {w / 3, h / 3 + h / 2 - 5, 2 * w / 3, h / 3 + h / 2 + 20};
    return l;
}

KitRect CloseButtonRect(const KitRect& client) {
    return {client.Right - 24, client.Top + 1, client.Right, client.Top + 25};
}

KitRect MaximizeButtonRect(const KitRect& client) {
    return {client.Right - 56, client.Top + 1, client.Right - 32, client.Top + 25};
}

int TitleTextX(const KitRect& client, int textWidth) { return client.Left + client.Width() / 2 - textWidth / 2; }
int TitleTextY(const KitRect& client, int textHeight) { return client.Top + 13 - textHeight / 2; }

ColumnAlign HeaderColumnAlign(const std::string& format, int column) {
    if (column < 0 || column >= static_cast<int>(format.size()))
        return ColumnAlign::Centre;
    switch (format[static_cast<std::size_t>(column)]) {
    case '0': return ColumnAlign::Left;
    case '2': return ColumnAlign::Right;
    default: return ColumnAlign::Centre;
    }
}

COLORREF HeaderRowColour(int row, int red, int green, int blue, int step) {
    const int down = std::max(0, row) * step;
    return MakeColourRef(std::max(0, red - down), std::max(0, green - down), std::max(0, blue - down));
}

int HeaderHeight(int defaultHeight, float factor) { return static_cast<int>(static_cast<float>(defaultHeight) * factor); }

COLORREF StaticTextColour(int id, int currentLanguageStaticId) {
    static constexpr int Highlighted[] = {1290, 1254, 1491, 32781, 1560, 1561, 1562, 1563};
    if (id == currentLanguageStaticId || std::find(std::begin(Highlighted), std::end(Highlighted), id) != std::end(Highlighted))
        return KitPalette::Accent;
    return KitPalette::Text;
}
