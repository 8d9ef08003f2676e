// Edit, Picture as Flats: only for a free-form card; a picture that traces
// to nothing says why and leaves the card as it was; a traced picture's
// flats join the card placed where the dialog says.
#include <gtest/gtest.h>

#include <QDoubleSpinBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>

#include "OutputCommandsFixture.h"
#include "app/CommandTable.h"
#include "app/KirikoDoc.h"
#include "app/PictureFlatsDialog.h"
#include "app/TracePreview.h"
#include "model/freeform/FreeformFile.h"
#include "model/freeform/PathBounds.h"

namespace pw {
namespace {

class PictureFlatsTest : public test::OutputCommandsTest {};

TEST_F(PictureFlatsTest, PictureAsFlatsAddsTheTracedShapesOrLeavesTheCardAsItWas) {
    EXPECT_FALSE(frame->Action(ID_PICTURE_FLATS)->isEnabled());
    prompts.openNames.push_back(QStringLiteral(POPWRIGHT_SOURCE_DIR "/examples/house.pwf"));
    Trigger(ID_FILE_OPEN);
    ASSERT_TRUE(frame->Action(ID_PICTURE_FLATS)->isEnabled());
    const FreeformCard before = frame->Doc().Document().Freeform();

    QImage picture(120, 80, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.save(Path("white.png"));
    QPainter(&picture).fillRect(20, 10, 60, 70, Qt::black);
    picture.save(Path("box.png"));
    int outlines = -1;
    const auto run = [&](const QString& file) {
        prompts.onDialog = [&](QDialog& d) {
            d.findChild<QLineEdit*>(QStringLiteral("file"))->setText(file);
            static_cast<CPictureFlatsDialog&>(d).UpdatePreview();
            outlines = static_cast<CPictureFlatsDialog&>(d).Preview()->OutlineCount();
            d.findChild<QDoubleSpinBox*>(QStringLiteral("atX"))->setValue(12);
            d.findChild<QDoubleSpinBox*>(QStringLiteral("size"))->setValue(35);
            return int(QDialog::Accepted);
        };
        Trigger(ID_PICTURE_FLATS);
    };
    run(Path("white.png"));
    EXPECT_EQ(outlines, 0);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(WriteFreeformCard(frame->Doc().Document().Freeform()), WriteFreeformCard(before));

    run(Path("box.png"));
    EXPECT_EQ(outlines, 1);
    const FreeformCard& after = frame->Doc().Document().Freeform();
    ASSERT_EQ(after.flats.size(), before.flats.size() + 1);
    const PathBox box = BoundsOf(after.flats.back().loops[0]);
    EXPECT_NEAR(box.x0, 12, 1e-6);
    EXPECT_NEAR(box.s0, 0, 1e-6);
    EXPECT_NEAR(box.s1, 35, 1e-6);
    EXPECT_NEAR(box.x1 - box.x0, 30, 1e-6);
}

}  // namespace
}  // namespace pw
