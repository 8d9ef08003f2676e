// A free-form card in the main window: opened, it is drawn from its sheet,
// edit keys change nothing and say why, Save As writes it back in its own
// format, it prints at its real size in millimetres, File New brings a
// grid card back and Convert to Free-Form Card makes it free-form again.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QDoubleSpinBox>
#include <QStatusBar>
#include <QTest>

#include "OutputCommandsFixture.h"
#include "app/CommandTable.h"
#include "app/FlatListDock.h"
#include "app/KirikoDoc.h"
#include "app/PatternPane.h"
#include "app/PatternPrinting.h"
#include "model/freeform/FreeformFile.h"
#include "view3d/KirikoView.h"

namespace pw {
namespace {

class FreeformWindowTest : public test::OutputCommandsTest {
protected:
    void SetUp() override {
        OutputCommandsTest::SetUp();
        prompts.openNames.push_back(QStringLiteral(POPWRIGHT_SOURCE_DIR "/examples/house.pwf"));
        Trigger(ID_FILE_OPEN);
        ASSERT_TRUE(frame->Doc().IsFreeform());
    }
};

TEST_F(FreeformWindowTest, IsDrawnFromItsSheetRefusesEditKeysAndSavesInItsOwnFormat) {
    EXPECT_TRUE(frame->View()->ShowsSheet());
    const CellGrid before = frame->Model().grid;
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Space, Qt::Key_Right}) QTest::keyClick(frame->View(), key);
    EXPECT_TRUE(frame->Model().grid.SameShape(before));
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains(QStringLiteral("free-form")));
    EXPECT_FALSE(frame->Action(ID_EDIT_UNDO)->isEnabled());

    prompts.saveNames.push_back(Path("saved.pwf"));
    Trigger(ID_FILE_SAVE_AS);
    const QByteArray saved = ReadAll(Path("saved.pwf"));
    const FreeformReadResult read = ReadFreeformCard(saved.toStdString());
    ASSERT_TRUE(read.Ok()) << read.error;
    EXPECT_EQ(WriteFreeformCard(read.card), WriteFreeformCard(frame->Doc().Document().Freeform()));

    Trigger(ID_FILE_NEW);
    EXPECT_FALSE(frame->Doc().IsFreeform());
    EXPECT_FALSE(frame->View()->ShowsSheet());
    // Converted, the grid card is a free-form card not yet saved anywhere.
    Trigger(ID_CONVERT_FREEFORM);
    EXPECT_TRUE(frame->View()->ShowsSheet());
    EXPECT_TRUE(frame->Doc().IsModified());
    EXPECT_TRUE(frame->Doc().currentCardPath().isEmpty());
    // Resizing and shifting work on the grid's columns, which a free-form card has not.
    for (int id : {ID_CONVERT_FREEFORM, ID_CARD_SIZE, ID_SHIFT_RELIEF}) EXPECT_FALSE(frame->Action(id)->isEnabled()) << id;
}

// Check Buildable rings its findings on the pattern and the card until the
// card changes; a card without findings rings nothing.
TEST_F(FreeformWindowTest, BuildableFindingsAreMarkedUntilTheCardChanges) {
    QFile file(Path("narrow.pwf"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // Two facades half a millimetre apart: the paper between them tears.
    file.write(R"({"format": "popwright-freeform", "version": 1, "width": 120, "half": 80, "flats": [
        {"depth": 30, "outline": "M 20 0 H 50 V 30 H 20 Z"}, {"depth": 30, "outline": "M 50.5 0 H 90 V 30 H 50.5 Z"}]})");
    file.close();
    prompts.openNames.push_back(Path("narrow.pwf"));
    Trigger(ID_FILE_OPEN);
    Trigger(ID_CHECK_BUILDABLE);
    ASSERT_FALSE(frame->View()->MarkedSpots().empty());
    EXPECT_EQ(frame->Pattern()->MarkedSpots().size(), frame->View()->MarkedSpots().size());
    EXPECT_NEAR(frame->View()->MarkedSpots().front().at.x, 50.25, 1e-6);
    FreeformCard nearer = frame->Doc().Document().Freeform();
    nearer.flats[0].depth += 1;
    frame->Doc().EditFreeform(nearer);
    EXPECT_TRUE(frame->View()->MarkedSpots().empty());
    EXPECT_TRUE(frame->Pattern()->MarkedSpots().empty());

    prompts.answers.push_back(SaveChangesAnswer::Discard);
    Trigger(ID_FILE_NEW);
    Trigger(ID_CHECK_BUILDABLE);
    EXPECT_TRUE(frame->View()->MarkedSpots().empty());
}

TEST_F(FreeformWindowTest, PrintsTheSheetAtItsRealSizeInMillimetres) {
    QPrinter& printer = frame->Printing().Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Path("printed.pdf"));
    prompts.onDialog = [](QDialog&) { return int(QDialog::Accepted); };
    Trigger(ID_FILE_PRINT);
    ASSERT_TRUE(QFileInfo::exists(Path("printed.pdf")));
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {"-r", "100", "-gray", "-aa", "no", "-aaVector", "no", "-singlefile", Path("printed.pdf"), Path("page")});
    ASSERT_TRUE(p.waitForFinished(30000) && p.exitCode() == 0);
    const QImage page(Path("page.pgm"));
    ASSERT_FALSE(page.isNull());
    QRect ink;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 160) ink |= QRect(x, y, 1, 1);
    // The sheet is 160 mm along the crease and twice 100 mm across it.
    constexpr double kMmPerPixel = 25.4 / 100;
    EXPECT_NEAR(ink.width() * kMmPerPixel, 160, 1.5);
    EXPECT_NEAR(ink.height() * kMmPerPixel, 200, 1.5);
}

// An edit from the flat list is one step of Edit > Undo and Redo; undone
// back to the card as opened it counts as unchanged.
TEST_F(FreeformWindowTest, UndoAndRedoTakeBackAndBringBackAnEditFromTheFlatList) {
    const std::string opened = WriteFreeformCard(frame->Doc().Document().Freeform());
    FlatListDock* list = frame->FlatList();
    EXPECT_TRUE(list->isEnabled());
    list->setSelectedFlat(0);
    list->DepthField()->setValue(list->DepthField()->value() - 1);
    const std::string edited = WriteFreeformCard(frame->Doc().Document().Freeform());
    EXPECT_NE(edited, opened);
    EXPECT_TRUE(frame->Doc().IsModified());
    frame->UpdateCommandStates();
    Trigger(ID_EDIT_UNDO);
    EXPECT_EQ(WriteFreeformCard(frame->Doc().Document().Freeform()), opened);
    EXPECT_FALSE(frame->Doc().IsModified());
    EXPECT_FALSE(frame->Action(ID_EDIT_UNDO)->isEnabled());
    Trigger(ID_EDIT_REDO);
    EXPECT_EQ(WriteFreeformCard(frame->Doc().Document().Freeform()), edited);
    EXPECT_NEAR(list->DepthField()->value(), frame->Doc().Document().Freeform().flats[0].depth, 1e-9);

    // Closed with its title bar's button, the list stays closed on the next
    // free-form card, until the menu brings it back.
    ASSERT_TRUE(list->isVisible());
    list->close();
    prompts.answers.push_back(SaveChangesAnswer::Discard);
    Trigger(ID_FILE_NEW);
    EXPECT_FALSE(list->isEnabled());
    EXPECT_FALSE(frame->Action(ID_EDIT_REDO)->isEnabled());
    Trigger(ID_CONVERT_FREEFORM);
    EXPECT_FALSE(list->isVisible());
    Trigger(ID_FLAT_LIST);
    EXPECT_TRUE(list->isVisible());
}

// Ctrl + drag on a flat in the 3D view moves it nearer by a quarter
// millimetre a pixel upwards, as one undo step; a plain drag turns the
// camera and leaves the card alone; a locked flat stays where it is.
TEST_F(FreeformWindowTest, CtrlDragOnAFlatInThe3DViewChangesItsDepthAsOneUndoStep) {
    CKirikoView* view = frame->View();
    const FreeformCard opened = frame->Doc().Document().Freeform();
    QPoint on(-1, -1);
    int flat = -1;
    for (int y = view->height() - 5; y > 5 && flat < 0; y -= 3)
        for (int x = 5; x < view->width() - 5 && flat < 0; x += 3)
            if ((flat = view->FlatAt(x + 0.5, y + 0.5)) >= 0) on = {x, y};
    ASSERT_GE(flat, 0);
    const QPoint up = on - QPoint(0, 20);
    auto drag = [&](Qt::KeyboardModifiers keys) {
        QTest::mousePress(view, Qt::LeftButton, keys, on);
        QTest::mouseMove(view, up);
        QTest::mouseRelease(view, Qt::LeftButton, keys, up);
    };
    const auto depth = [&] { return frame->Doc().Document().Freeform().flats[static_cast<std::size_t>(flat)].depth; };
    const double before = depth();
    drag(Qt::ControlModifier);
    EXPECT_NEAR(depth(), std::min(before + 20 * 0.25, opened.half), 1e-9);
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains(QString::number(depth(), 'f', 2)));
    frame->UpdateCommandStates();
    Trigger(ID_EDIT_UNDO);
    EXPECT_EQ(WriteFreeformCard(frame->Doc().Document().Freeform()), WriteFreeformCard(opened));
    EXPECT_FALSE(frame->Action(ID_EDIT_UNDO)->isEnabled());

    FreeformCard locked = opened;
    locked.flats[static_cast<std::size_t>(flat)].locked = true;
    frame->Doc().EditFreeform(locked);
    drag(Qt::ControlModifier);
    EXPECT_EQ(depth(), before);
    EXPECT_TRUE(frame->statusBar()->currentMessage().contains(QStringLiteral("locked")));
    const double tilt = view->ViewCamera().angleX;
    drag({});
    EXPECT_EQ(depth(), before);
    EXPECT_NE(view->ViewCamera().angleX, tilt);
}

}  // namespace
}  // namespace pw
