// The shared card table model: every change is undoable, and persistent indexes follow
// their rows through inserts, deletes and moves.
#include "editor/CardTableModel.h"

#include <gtest/gtest.h>

using namespace vrnnec;
using namespace vrnnec::editor;

namespace {

std::vector<std::string> ids(const CardTableModel& model)
{
    std::vector<std::string> result;
    for (const CardRow& row : model.rows())
        result.push_back(row[0]);
    return result;
}

TEST(CardTableModel, ChangesUndoBackToTheLoadedRowsAndIndexesFollowTheirRows)
{
    const struct {
        const char* name;
        void (*change)(CardTableModel&);
        std::vector<std::string> after;
        int geRowAfter;
    } cases[] = {
        {"insert above", [](CardTableModel& m) { m.insertEmptyRow(0); }, {"", "GW", "GE", "FR"}, 2},
        {"delete", [](CardTableModel& m) { m.removeRowAt(0); }, {"GE", "FR"}, 0},
        {"move down", [](CardTableModel& m) { m.moveRowTo(0, 2); }, {"GE", "FR", "GW"}, 0},
        {"move up", [](CardTableModel& m) { m.moveRowTo(2, 0); }, {"FR", "GW", "GE"}, 2},
        {"replace", [](CardTableModel& m) { m.replaceRow(0, CardRow{"GA"}); }, {"GA", "GE", "FR"}, 1},
        {"cell", [](CardTableModel& m) { m.setData(m.index(2, 0), QStringLiteral("EX")); }, {"GW", "GE", "EX"}, 1},
    };
    for (const auto& c : cases) {
        CardTableModel model(std::vector<CardRow>{{"GW", "1"}, {"GE"}, {"FR", "0"}});
        const QPersistentModelIndex ge(model.index(1, 0));
        c.change(model);
        EXPECT_EQ(ids(model), c.after) << c.name;
        EXPECT_EQ(ge.row(), c.geRowAfter) << c.name;
        EXPECT_EQ(model.undoStack().count(), 1) << c.name;
        model.undoStack().undo();
        EXPECT_EQ(ids(model), (std::vector<std::string>{"GW", "GE", "FR"})) << c.name;
        EXPECT_EQ(ge.row(), 1) << c.name;
        EXPECT_EQ(model.row(0)[1], "1") << c.name;
        model.undoStack().redo();
        EXPECT_EQ(ids(model), c.after) << c.name;
    }
}

TEST(CardTableModel, ATextWithALineBreakNeverEntersACell)
{
    for (const char* text : {"G\nW", "GW\r", "\n", "1\r\n2"}) {
        for (int column : {0, 1}) {
            CardTableModel model(std::vector<CardRow>{{"GW", "1"}});
            EXPECT_FALSE(model.setData(model.index(0, column), QString::fromLatin1(text))) << text;
            EXPECT_EQ(model.row(0), (CardRow{"GW", "1"})) << text;
            EXPECT_EQ(model.undoStack().count(), 0) << text;
        }
    }
}

} // namespace
