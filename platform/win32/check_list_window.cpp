// The check list as an owner-data report list view with check boxes: one column,
// no header, rows in the order added. The control keeps the rows and their checks;
// the list view keeps only the row count, focus and selection, and asks for texts
// and boxes as it draws (LVN_GETDISPINFO), so filling, clearing and destroying do
// no work per row. The boxes are state images 1 (empty) and 2 (checked) through the
// callback mask, which LVM_GETITEMSTATE reports from any process too. An owner-data
// list view stores no state image, so toggles are done here: a click on a box,
// Space on the focused row (or on a selection of rows), or LVM_SETITEMSTATE with a
// state image from outside. Any number of rows can be selected, Ctrl+A selects
// them all.
#include "platform/win32/check_box_images.h"
#include "platform/win32/child_window.h"
#include "platform/win32/layout.h"
#include "platform/win32/row_tips.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace platform::win32 {

namespace {

void loadListViewClass() {
    static const bool loaded = [] {
        INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES};
        if (!InitCommonControlsEx(&classes)) {
            throw std::runtime_error("cannot load the list view control");
        }
        return true;
    }();
    (void)loaded;
}

constexpr UINT uncheckedImage = 1;
constexpr UINT checkedImage = 2;

constexpr UINT stateImageOf(UINT state) {
    return (state & LVIS_STATEIMAGEMASK) >> 12;
}

constexpr UINT_PTR subclassId = 1;

bool keyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// Case-insensitive, as the list view's own type-to-find.
bool sameText(std::wstring_view left, std::wstring_view right) {
    return left.size() == right.size() &&
           (left.empty() ||
            CompareStringOrdinal(left.data(), static_cast<int>(left.size()), right.data(),
                                 static_cast<int>(right.size()), TRUE) == CSTR_EQUAL);
}

class CheckListWindow final : public ChildWindow {
public:
    CheckListWindow(CheckList& list, const ChildPlacement& placement)
        : ChildWindow((
              loadListViewClass(),
              createChildWindow(windowClassOf(ControlKind::CheckList), L"",
                                LVS_REPORT | LVS_OWNERDATA | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS,
                                WS_EX_CLIENTEDGE, placement))),
          list_(list), tips_(window_, list) {
        // The info tip: where the system sends LVN_GETINFOTIP, its own tip shows
        // the row's text for the pointer (row_tips.h).
        constexpr DWORD extended = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;
        SendMessageW(window_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
        SendMessageW(window_, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        if (SendMessageW(window_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)) < 0 ||
            !SetWindowSubclass(window_, listViewProcedure, subclassId,
                               reinterpret_cast<DWORD_PTR>(this))) {
            throw std::runtime_error("cannot set up the check list");
        }
    }

    ~CheckListWindow() override {
        if (IsWindow(window_)) {
            RemoveWindowSubclass(window_, listViewProcedure, subclassId);
        }
    }

    CheckListWindow(const CheckListWindow&) = delete;
    CheckListWindow& operator=(const CheckListWindow&) = delete;

    void showText(const std::wstring&) override {}

    // Only the count changes here; rows from `first` on are drawn afresh.
    void showRowsFrom(std::size_t first) override {
        const std::size_t count = list_.count();
        constexpr LPARAM quietly = LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL;
        if (first == 0) {
            // A new list: the focus and selection of the old rows go with them.
            tips_.rowsReplaced();
            SendMessageW(window_, LVM_SETITEMCOUNT, 0, quietly);
        }
        SendMessageW(window_, LVM_SETITEMCOUNT, count, quietly);
        if (first == 0 && count > 0) {
            SendMessageW(window_, LVM_ENSUREVISIBLE, 0, FALSE);
        }
        if (redraw_) {
            fitColumn();
            invalidateFrom(first);
        }
    }

    void showChecked(std::size_t row, bool) override { showCheckOf(row); }
    void refreshTip(std::size_t row) override { tips_.refresh(row); }
    void hideTip() override { tips_.hide(); }

    // A new font changes the rows' height, and with it the row at the top.
    void useFont(HFONT font) override {
        topRow_ = static_cast<int>(SendMessageW(window_, LVM_GETTOPINDEX, 0, 0));
        ChildWindow::useFont(font);
    }

    // Comes after the font and the new size.
    void sizeCheckBoxes(int pixels, int dpi) override {
        if (HIMAGELIST images = makeCheckBoxImages(window_, pixels, dpi)) {
            const auto before = reinterpret_cast<HIMAGELIST>(SendMessageW(
                window_, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(images)));
            if (before && before != images) {
                ImageList_Destroy(before);
            }
        }
        fitColumn();
        scrollToTop(topRow_);
    }

    void setRedraw(bool on) override {
        redraw_ = on;
        SendMessageW(window_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
        if (on) {
            fitColumn();
            InvalidateRect(window_, nullptr, TRUE);
        }
    }

    LRESULT onNotify(const NMHDR& header) override {
        switch (header.code) {
        case LVN_GETDISPINFOW:
            describeRow(reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)).item);
            return 0;
        case LVN_ODFINDITEMW:
            return findRow(reinterpret_cast<const NMLVFINDITEMW&>(header));
        case NM_CLICK:
            clicked(reinterpret_cast<const NMITEMACTIVATE&>(header).ptAction);
            return 0;
        case LVN_DELETEALLITEMS:
            return TRUE; // no LVN_DELETEITEM for each row
        case LVN_GETINFOTIPW:
            tips_.fillInfoTip(reinterpret_cast<NMLVGETINFOTIPW&>(const_cast<NMHDR&>(header)));
            return 0;
        case LVN_ITEMCHANGED:
            if (const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
                (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_FOCUSED) &&
                !(change.uOldState & LVIS_FOCUSED)) {
                tips_.focusMoved(change.iItem);
            }
            return 0;
        default:
            return 0;
        }
    }

private:
    CheckList& list_;
    RowTips tips_;
    bool redraw_ = true;
    int topRow_ = 0;

    static LRESULT CALLBACK listViewProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam, UINT_PTR, DWORD_PTR self) {
        auto& list = *reinterpret_cast<CheckListWindow*>(self);
        if (list.tips_.onListMessage(message, wParam, lParam)) {
            return 0;
        }
        switch (message) {
        case WM_KEYDOWN:
            // Taken before the list view, which would toggle the focused row alone
            // and leave only it selected.
            if (wParam == VK_SPACE && !keyDown(VK_CONTROL) && !keyDown(VK_MENU)) {
                list.spacePressed();
                return 0;
            }
            if (wParam == 'A' && keyDown(VK_CONTROL) && !keyDown(VK_MENU)) {
                list.selectAll();
                return 0;
            }
            break;
        case LVM_SETITEMSTATE:
            if (const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
                item && (item->stateMask & LVIS_STATEIMAGEMASK)) {
                return list.setStateFromOutside(static_cast<int>(wParam), *item);
            }
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, listViewProcedure, subclassId);
            break;
        default:
            break;
        }
        return DefSubclassProc(window, message, wParam, lParam);
    }

    bool isRow(int row) const {
        return row >= 0 && static_cast<std::size_t>(row) < list_.count() &&
               row < SendMessageW(window_, LVM_GETITEMCOUNT, 0, 0);
    }

    void describeRow(LVITEMW& item) const {
        if (!isRow(item.iItem) || item.iSubItem != 0) {
            return;
        }
        const auto row = static_cast<std::size_t>(item.iItem);
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
            const std::wstring text = list_.item(row);
            const std::size_t length =
                std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
            std::copy_n(text.data(), length, item.pszText);
            item.pszText[length] = L'\0';
        }
        if ((item.mask & LVIF_STATE) && (item.stateMask & LVIS_STATEIMAGEMASK)) {
            item.state = (item.state & ~LVIS_STATEIMAGEMASK) |
                         INDEXTOSTATEIMAGEMASK(list_.checked(row) ? checkedImage : uncheckedImage);
        }
        if (item.mask & LVIF_INDENT) {
            item.iIndent = 0;
        }
    }

    // Type-to-find: the first row from iStart whose text starts with (or is) the
    // typed text, going round to the top when asked.
    LRESULT findRow(const NMLVFINDITEMW& find) const {
        const LVFINDINFOW& wanted = find.lvfi;
        const std::size_t count = list_.count();
        if (!(wanted.flags & (LVFI_STRING | LVFI_PARTIAL)) || !wanted.psz || count == 0) {
            return -1;
        }
        const std::wstring_view typed(wanted.psz);
        const bool prefix = (wanted.flags & LVFI_PARTIAL) != 0;
        std::size_t start = find.iStart > 0 ? static_cast<std::size_t>(find.iStart) : 0;
        if (start >= count) {
            start = 0;
        }
        const std::size_t span = (wanted.flags & LVFI_WRAP) ? count : count - start;
        std::wstring rowText;
        for (std::size_t step = 0; step < span; ++step) {
            const std::size_t row = (start + step) % count;
            list_.itemInto(row, rowText);
            std::wstring_view text = rowText;
            if (prefix) {
                text = text.substr(0, typed.size());
            }
            if (sameText(text, typed)) {
                return static_cast<LRESULT>(row);
            }
        }
        return -1;
    }

    void clicked(POINT at) {
        LVHITTESTINFO hit{};
        hit.pt = at;
        const auto row =
            static_cast<int>(SendMessageW(window_, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (hit.flags & LVHT_ONITEMSTATEICON) {
            toggle(row);
        }
    }

    int focusedRow() const {
        return static_cast<int>(
            SendMessageW(window_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    }

    std::vector<std::size_t> selectedRows() const {
        std::vector<std::size_t> rows;
        rows.reserve(static_cast<std::size_t>(SendMessageW(window_, LVM_GETSELECTEDCOUNT, 0, 0)));
        for (int row = -1;
             (row = static_cast<int>(SendMessageW(
                  window_, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED))) >= 0;) {
            if (!isRow(row)) {
                break;
            }
            rows.push_back(static_cast<std::size_t>(row));
        }
        return rows;
    }

    void spacePressed() {
        const int focused = focusedRow();
        if (!isRow(focused)) {
            return;
        }
        const auto changed =
            list_.userPressedSpace(static_cast<std::size_t>(focused), selectedRows());
        // Row by row for a few, which tells accessibility clients which rows
        // changed; all at once for many.
        if (changed.size() <= 64) {
            for (const std::size_t row : changed) {
                showCheckOf(row);
            }
        } else {
            InvalidateRect(window_, nullptr, TRUE);
            NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
        }
    }

    void selectAll() {
        LVITEMW selected{};
        selected.stateMask = LVIS_SELECTED;
        selected.state = LVIS_SELECTED;
        SendMessageW(window_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&selected));
    }

    void toggle(int row) {
        if (isRow(row)) {
            const auto index = static_cast<std::size_t>(row);
            list_.userToggled(index, !list_.checked(index));
            showCheckOf(index);
        }
    }

    // Row -1 stands for every row, as in the list view's own LVM_SETITEMSTATE.
    LRESULT setStateFromOutside(int row, const LVITEMW& item) {
        const UINT image = stateImageOf(item.state);
        if (image == uncheckedImage || image == checkedImage) {
            const bool checked = image == checkedImage;
            if (row == -1) {
                for (std::size_t index = 0; index < list_.count(); ++index) {
                    if (list_.checked(index) != checked) {
                        list_.userToggled(index, checked);
                    }
                }
                InvalidateRect(window_, nullptr, TRUE);
            } else if (isRow(row) && list_.checked(static_cast<std::size_t>(row)) != checked) {
                list_.userToggled(static_cast<std::size_t>(row), checked);
                showCheckOf(static_cast<std::size_t>(row));
            }
        }
        // What else the caller asked, focus or selection, the list view does.
        LVITEMW rest{};
        rest.stateMask = item.stateMask & ~LVIS_STATEIMAGEMASK;
        rest.state = item.state & rest.stateMask;
        if (rest.stateMask == 0) {
            return TRUE;
        }
        return DefSubclassProc(window_, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                               reinterpret_cast<LPARAM>(&rest));
    }

    // Draws the row's box again and tells accessibility clients that it changed.
    void showCheckOf(std::size_t row) {
        SendMessageW(window_, LVM_REDRAWITEMS, row, row);
        NotifyWinEvent(EVENT_OBJECT_STATECHANGE, window_, OBJID_CLIENT, static_cast<LONG>(row) + 1);
    }

    int clientWidth() const {
        RECT client{};
        GetClientRect(window_, &client);
        return client.right - client.left;
    }

    void scrollToTop(int row) {
        RECT first{LVIR_BOUNDS, 0, 0, 0};
        const auto top = static_cast<int>(SendMessageW(window_, LVM_GETTOPINDEX, 0, 0));
        if (row != top &&
            SendMessageW(window_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first))) {
            SendMessageW(window_, LVM_SCROLL, 0, (row - top) * (first.bottom - first.top));
        }
    }

    // The column fills the client area, which a vertical scroll bar narrows.
    void fitColumn() { SendMessageW(window_, LVM_SETCOLUMNWIDTH, 0, clientWidth()); }

    // From the bottom of the row above `first`, the last one unchanged, down.
    void invalidateFrom(std::size_t first) {
        RECT area{};
        GetClientRect(window_, &area);
        RECT above{LVIR_BOUNDS, 0, 0, 0};
        if (first > 0 &&
            SendMessageW(window_, LVM_GETITEMRECT, first - 1, reinterpret_cast<LPARAM>(&above))) {
            area.top = std::max(area.top, above.bottom);
        }
        InvalidateRect(window_, &area, TRUE);
    }
};

} // namespace

std::unique_ptr<ChildWindow> createCheckListWindow(CheckList& list,
                                                   const ChildPlacement& placement) {
    return std::make_unique<CheckListWindow>(list, placement);
}

} // namespace platform::win32
