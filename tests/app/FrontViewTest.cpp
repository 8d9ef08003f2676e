// The front view under a real pointer: a rectangle dragged out is one new
// flat of the size drawn, made by one change of the card, and Delete takes
// it away again.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "app/FrontView.h"
#include "app/KirikoDoc.h"
#include "model/AppSettings.h"
#include "model/freeform/PathBounds.h"
#include "support/RecordingPrompts.h"

namespace pw {
namespace {

TEST(FrontViewTest, DraggingARectangleAddsOneFlatInOneChangeAndDeleteRemovesIt) {
    AppSettings settings;
    test::RecordingPrompts prompts;
    CKirikoDoc doc(settings, prompts);
    ASSERT_TRUE(doc.OpenCardFile(QStringLiteral(POPWRIGHT_SOURCE_DIR "/examples/house.pwf")));
    FrontView view(doc);
    QObject::connect(&doc, &CKirikoDoc::freeformEdited, &view, &FrontView::CardEdited);
    view.resize(640, 480);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.FitCard();
    const std::size_t before = doc.Document().Freeform().flats.size();

    QSignalSpy edits(&doc, &CKirikoDoc::freeformEdited);
    view.SetTool(FrontTool::Rectangle);
    // Pixels round the corners off the millimetres; snapping puts them back.
    const QPoint from = view.ToScreen({10, 0}).toPoint(), to = view.ToScreen({30, 25}).toPoint();
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    for (int step = 1; step <= 5; ++step) {
        const QPointF at = from + (to - from) * step / 5.0;
        QMouseEvent move(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &move);
    }
    QTest::mouseRelease(&view, Qt::LeftButton, {}, to);

    EXPECT_EQ(edits.count(), 1);
    const FreeformCard& card = doc.Document().Freeform();
    ASSERT_EQ(card.flats.size(), before + 1);
    const FreeformFlat& drawn = card.flats.back();
    ASSERT_EQ(drawn.loops.size(), 1u);
    const PathBox box = BoundsOf(drawn.loops[0]);
    EXPECT_DOUBLE_EQ(box.x0, 10);
    EXPECT_DOUBLE_EQ(box.s0, 0);
    EXPECT_DOUBLE_EQ(box.x1, 30);
    EXPECT_DOUBLE_EQ(box.s1, 25);
    EXPECT_EQ(view.SelectedFlat(), static_cast<int>(before));

    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(doc.Document().Freeform().flats.size(), before);
    EXPECT_EQ(view.SelectedFlat(), -1);
}

}  // namespace
}  // namespace pw
