#include "tests/e2e/driver/list_view.h"

#include "tests/e2e/driver/check.h"
#include "tests/e2e/driver/remote_block.h"
#include "tests/e2e/driver/ui.h"

#include <commctrl.h>

namespace e2e {

int rowCount(HWND list) {
    return static_cast<int>(sendMessage(list, LVM_GETITEMCOUNT));
}

std::wstring rowText(HWND list, int row, int capacity) {
    RemoteBlock block(list, sizeof(LVITEMW) + static_cast<std::size_t>(capacity) * sizeof(wchar_t));
    LVITEMW item{};
    item.pszText = reinterpret_cast<LPWSTR>(block.address() + sizeof(LVITEMW));
    item.cchTextMax = capacity;
    block.write(&item, sizeof item);
    const auto length = sendMessage(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), block.at());
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    if (length > 0) {
        block.read(text.data(), text.size() * sizeof(wchar_t), sizeof(LVITEMW));
    }
    return text;
}

std::vector<std::wstring> rowTexts(HWND list) {
    std::vector<std::wstring> texts;
    for (int row = 0, count = rowCount(list); row < count; ++row) {
        texts.push_back(rowText(list, row));
    }
    return texts;
}

bool rowChecked(HWND list, int row) {
    const auto state =
        sendMessage(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

std::vector<bool> rowChecks(HWND list) {
    std::vector<bool> checks;
    for (int row = 0, count = rowCount(list); row < count; ++row) {
        checks.push_back(rowChecked(list, row));
    }
    return checks;
}

RECT rowBounds(HWND list, int row) {
    RemoteBlock block(list, sizeof(RECT));
    RECT rect{LVIR_BOUNDS, 0, 0, 0};
    block.write(&rect, sizeof rect);
    require(sendMessage(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), block.at()) != 0,
            "the list has no row " + std::to_string(row));
    block.read(&rect, sizeof rect);
    return rect;
}

POINT checkBoxPoint(HWND list, int row) {
    const RECT bounds = rowBounds(list, row);
    RemoteBlock block(list, sizeof(LVHITTESTINFO));
    const int y = (bounds.top + bounds.bottom) / 2;
    const auto onBox = [&](int x) {
        LVHITTESTINFO hit{};
        hit.pt = POINT{x, y};
        block.write(&hit, sizeof hit);
        const auto found = sendMessage(list, LVM_HITTEST, 0, block.at());
        block.read(&hit, sizeof hit);
        return found == row && (hit.flags & LVHT_ONITEMSTATEICON) != 0;
    };
    int first = bounds.left;
    while (first < bounds.right && first < bounds.left + 64 && !onBox(first)) {
        ++first;
    }
    require(first < bounds.right && onBox(first),
            "row " + std::to_string(row) + " shows no check box");
    int last = first;
    while (last + 1 < bounds.right && onBox(last + 1)) {
        ++last;
    }
    return POINT{(first + last) / 2, y};
}

int focusedRow(HWND list) {
    return static_cast<int>(
        sendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

int topRow(HWND list) {
    return static_cast<int>(sendMessage(list, LVM_GETTOPINDEX));
}

void setRowState(HWND list, int row, UINT state, UINT stateMask) {
    RemoteBlock block(list, sizeof(LVITEMW));
    LVITEMW item{};
    item.state = state;
    item.stateMask = stateMask;
    block.write(&item, sizeof item);
    sendMessage(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), block.at());
}

void setRowChecked(HWND list, int row, bool checked) {
    setRowState(list, row, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

} // namespace e2e
