// A paged list, as an IBM i subfile shows one: 60 numbered items, 15 to a
// page, "More..." under a page that has more after it and "Bottom" under the
// last one. Page Down (Roll Up, AID F5) and Page Up (Roll Down, AID F4) turn
// the pages; a number in "Position to" and Enter jump to the page holding
// that item. The roll keys return the modified fields like Enter, so a
// position typed before paging counts: the page turns from that item's page.
// A turn of one page goes out as the Roll command and the new rows only. The
// page lives in the session variable "list.page", and the prepare hook
// writes the page's rows into the layout before it is sent.
#include "demoscreens.h"
#include "demosession.h"
#include "hostprotocol.h"
#include "screenregistry.h"

using namespace DemoScreens;
using namespace HostProtocol;

namespace {

const int ITEM_COUNT = 60;
const int PAGE_SIZE = 15;
const int LAST_PAGE = (ITEM_COUNT - 1) / PAGE_SIZE;
const int FIRST_ITEM_ROW = 6;
const int MORE_ROW = FIRST_ITEM_ROW + PAGE_SIZE;
// An item row is written to the end of the row, over whatever the roll left.
const int ROW_WIDTH = 79;

const char PAGE_VARIABLE[] = "list.page";
const char AT_TOP[] = "You are already at the top of the list.";
const char AT_BOTTOM[] = "You are already at the bottom of the list.";

const quint8 FFW_NUMERIC_ONLY = 0x43;

int currentPage(const DemoSession &session)
{
    return qBound(0, session.variable(QLatin1String(PAGE_VARIABLE)).toInt(), LAST_PAGE);
}

ScreenReply showPage(DemoSession &session, int page, const QString &message = QString())
{
    session.setVariable(QLatin1String(PAGE_VARIABLE), QString::number(page));
    return ScreenReply::show(QLatin1String(ITEM_LIST), message);
}

// A page turn from the page shown: the Roll command moves the rows by a
// page, and only the new rows are written.
ScreenReply rollPage(DemoSession &session, int from, int to)
{
    session.setVariable(QLatin1String(PAGE_VARIABLE), QString::number(to));
    return ScreenReply::roll(QLatin1String(ITEM_LIST), (to - from) * PAGE_SIZE);
}

ScreenDefinition itemListScreen()
{
    ScreenDefinition screen;
    ScreenDescription &layout = screen.layout;
    layout.name = QLatin1String(ITEM_LIST);
    layout.header = noDataKeysHeader(QVector<int>());
    layout.texts = {
        screenText(1, 2, QStringLiteral("ITEMS")),
        screenText(1, 33, QStringLiteral("Work with Items"), ATTR_HIGH),
        screenText(3, 2, QStringLiteral("Position to item . . . . .")),
        screenText(5, 2, QStringLiteral("Item       Description"), ATTR_HIGH),
        screenText(22, 2, QStringLiteral("F3=Exit   F12=Cancel   Page Down=Next page   Page Up=Previous page"),
                   ATTR_BLUE),
        screenText(24, 2, QStringLiteral("{message}"), ATTR_HIGH),
    };
    ScreenField position = inputField(QStringLiteral("position"), 3, 30, 3);
    position.ffwHigh = FFW_NUMERIC_ONLY;
    layout.fields = { position };
    layout.aids = { AID_ENTER, AID_ROLL_UP, AID_ROLL_DOWN, functionKeyAid(3), functionKeyAid(12) };
    // The items and the "More..."/"Bottom" line under them.
    layout.rollTop = FIRST_ITEM_ROW;
    layout.rollBottom = MORE_ROW;

    screen.prepare = [](ScreenDescription &page, const DemoSession &session) {
        const int first = currentPage(session) * PAGE_SIZE + 1;
        for (int item = first; item < first + PAGE_SIZE && item <= ITEM_COUNT; ++item) {
            page.texts.append(screenText(FIRST_ITEM_ROW + item - first, 2,
                                         QStringLiteral("Item %1   Sample record number %2 of %3")
                                             .arg(item, 3, 10, QLatin1Char('0'))
                                             .arg(item)
                                             .arg(ITEM_COUNT)
                                             .leftJustified(ROW_WIDTH)));
        }
        const bool more = first + PAGE_SIZE <= ITEM_COUNT;
        // From column 2, so that the line covers an item a roll left there.
        const QString mark = more ? QStringLiteral("More...") : QStringLiteral("Bottom");
        page.texts.append(screenText(MORE_ROW, 2, mark.rightJustified(ROW_WIDTH)));
    };

    screen.onAid = [](DemoSession &session, const ReadResponse &response) {
        int page = currentPage(session);
        const int function = functionKeyOf(response.aid);
        if (function == 3 || function == 12) {
            // The next visit starts at the top again.
            session.setVariable(QLatin1String(PAGE_VARIABLE), QStringLiteral("0"));
            return ScreenReply::show(QLatin1String(MAIN_MENU));
        }
        if (response.aid != AID_ENTER && response.aid != AID_ROLL_UP && response.aid != AID_ROLL_DOWN)
            return showPage(session, page, QLatin1String(FUNCTION_KEY_NOT_ALLOWED));

        const QString position = response.fieldText(QStringLiteral("position")).trimmed();
        const int shown = page;
        if (!position.isEmpty()) {
            bool isNumber = false;
            const int item = position.toInt(&isNumber);
            if (!isNumber || item < 1 || item > ITEM_COUNT)
                return showPage(session, page, QStringLiteral("Type an item number from 1 to %1.").arg(ITEM_COUNT));
            page = (item - 1) / PAGE_SIZE;
        }
        // A turn of one page from the page shown rolls; any other page is
        // written whole.
        int target = page;
        if (response.aid == AID_ROLL_UP) {
            if (page == LAST_PAGE)
                return showPage(session, page, QLatin1String(AT_BOTTOM));
            target = page + 1;
        } else if (response.aid == AID_ROLL_DOWN) {
            if (page == 0)
                return showPage(session, page, QLatin1String(AT_TOP));
            target = page - 1;
        }
        if (qAbs(target - shown) == 1)
            return rollPage(session, shown, target);
        return showPage(session, target);
    };
    return screen;
}

} // namespace

void registerListScreens(ScreenRegistry &registry)
{
    registry.add(itemListScreen());
}
