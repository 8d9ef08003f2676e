// Edit > Model as Flats... on a free-form card: a model's flats are added
// to the card as one edit; a model that cannot be read shows why and
// leaves the card as it was; a grid card does not offer the command.
#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>

#include "OutputCommandsFixture.h"
#include "app/CommandTable.h"
#include "app/KirikoDoc.h"
#include "model/freeform/FreeformFile.h"

namespace pw {
namespace {

class ModelFlatsWindowTest : public test::OutputCommandsTest {
protected:
    // Slices `model` into the card with the dialog's other fields as they
    // come; returns the card as it was before.
    std::string SliceInto(const QString& model) {
        const std::string before = WriteFreeformCard(frame->Doc().Document().Freeform());
        prompts.onDialog = [model](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("modelFlatsFile"))->setText(model);
            return int(QDialog::Accepted);
        };
        Trigger(ID_MODEL_AS_FLATS);
        return before;
    }
};

TEST_F(ModelFlatsWindowTest, AddsTheModelsFlatsOrShowsWhyNotLeavingTheCard) {
    EXPECT_FALSE(frame->Action(ID_MODEL_AS_FLATS)->isEnabled());
    prompts.openNames.push_back(QStringLiteral(POPWRIGHT_SOURCE_DIR "/examples/house.pwf"));
    Trigger(ID_FILE_OPEN);
    const std::size_t opened = frame->Doc().Document().Freeform().flats.size();
    SliceInto(QStringLiteral(POPWRIGHT_SOURCE_DIR "/examples/stepped-house.obj"));
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
    EXPECT_EQ(frame->Doc().Document().Freeform().flats.size(), opened + 3);

    QFile broken(Path("broken.obj"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("v 1 2\nf 1 9 3\n");
    broken.close();
    const std::string before = SliceInto(Path("broken.obj"));
    EXPECT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(WriteFreeformCard(frame->Doc().Document().Freeform()), before);
}

}  // namespace
}  // namespace pw
