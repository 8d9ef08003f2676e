#pragma once
#include "model/TranslatableText.h"

namespace pw::msg {

// What goes wrong when a picture, a text or a model becomes relief: shown in
// a message box by the desktop program, one line on stderr by popwright-cli.
inline constexpr const char* kPictureUnreadable = PW_TRANSLATE_NOOP("Messages", "The picture could not be read.");
inline constexpr const char* kPictureEmpty = PW_TRANSLATE_NOOP("Messages", "The picture has no pixels.");
inline constexpr const char* kPictureTooLarge = PW_TRANSLATE_NOOP("Messages", "The picture has more than 100 million pixels.");
inline constexpr const char* kTextEmpty = PW_TRANSLATE_NOOP("Messages", "The text renders to nothing.");
inline constexpr const char* kTextTooLong = PW_TRANSLATE_NOOP("Messages", "The text is longer than 200 characters.");
inline constexpr const char* kFontNotFound = PW_TRANSLATE_NOOP("Messages", "No font could be found for the text.");
inline constexpr const char* kModelUnreadable = PW_TRANSLATE_NOOP("Messages", "The model could not be read.");
inline constexpr const char* kModelUnsupported = PW_TRANSLATE_NOOP("Messages", "Please specify a *.obj, *.stl, *.ply, *.gltf, *.glb or *.3mf file.");
inline constexpr const char* kModelNoTriangles = PW_TRANSLATE_NOOP("Messages", "The model has no triangles.");
inline constexpr const char* kModelTooLarge = PW_TRANSLATE_NOOP("Messages", "The model has more than 5 million triangles.");
inline constexpr const char* kModelTooManyNodes = PW_TRANSLATE_NOOP("Messages", "The model has more than 100,000 parts.");
inline constexpr const char* kModelUnpacksTooLarge = PW_TRANSLATE_NOOP("Messages", "The model unpacks to more than 256 MB.");
inline constexpr const char* kModelNotFinite = PW_TRANSLATE_NOOP("Messages", "The model has coordinates that are not finite numbers.");
inline constexpr const char* kModelFlat = PW_TRANSLATE_NOOP("Messages", "The model has no width or no height seen from the front.");
// A relief that would leave the whole area flat is refused, with the reason.
inline constexpr const char* kPictureAllWhite = PW_TRANSLATE_NOOP("Messages", "The picture is white all over: nothing would stand out.");
inline constexpr const char* kPictureTooLight = PW_TRANSLATE_NOOP("Messages",
    "No part of the picture is dark enough to stand out one cell: the relief would be flat.");
inline constexpr const char* kTextTooSmall = PW_TRANSLATE_NOOP("Messages",
    "The text is too small to show at one cell: give it a larger area or fewer characters.");
inline constexpr const char* kModelTooSmall = PW_TRANSLATE_NOOP("Messages", "The model is too small to stand out one cell in the area.");
// A text drawn in another font than the one named; %1 the name, %2 the font used.
inline constexpr const char* kFontReplaced = PW_TRANSLATE_NOOP("Messages", "No font \"%1\" was found; the text is drawn in %2.");
inline constexpr const char* kAreaOutsideCard = PW_TRANSLATE_NOOP("Messages", "The area lies outside the card.");
inline constexpr const char* kDepthOutsideCard = PW_TRANSLATE_NOOP("Messages", "The depth must be between 1 and %1.");
inline constexpr const char* kThresholdOutOfRange = PW_TRANSLATE_NOOP("Messages", "The threshold must be between 0 and 100.");
// A model sliced into flats of a free-form card.
inline constexpr const char* kModelFlatsDepthBehind = PW_TRANSLATE_NOOP("Messages", "Every depth of a model's flats must be more than 0 mm.");
inline constexpr const char* kModelFlatsTooMany = PW_TRANSLATE_NOOP("Messages", "A model is sliced into at most 32 flats.");
inline constexpr const char* kModelFlatsHeight = PW_TRANSLATE_NOOP("Messages", "The model's height must be more than 0 mm.");
inline constexpr const char* kModelFlatsDepthList = PW_TRANSLATE_NOOP("Messages", "The depths must be millimetres separated by commas, such as 40,25,10.");
inline constexpr const char* kModelFlatsNone = PW_TRANSLATE_NOOP("Messages", "No slice of the model shows anything seen from the front.");

// Text as free-form flats.
inline constexpr const char* kFlatsTextEmpty = PW_TRANSLATE_NOOP("Messages", "There is no text to make flats of.");
inline constexpr const char* kFlatsTextTooLong = PW_TRANSLATE_NOOP("Messages", "The text is longer than 500 characters.");
inline constexpr const char* kFlatsTextNoGlyphs = PW_TRANSLATE_NOOP("Messages", "The font has none of the text's characters.");
inline constexpr const char* kFlatsTextSizeOutOfRange = PW_TRANSLATE_NOOP("Messages",
    "The text's size must be above 0 and at most 1000 mm, its spacing at most 1000 mm either way.");
inline constexpr const char* kFlatsTextShapesFailed = PW_TRANSLATE_NOOP("Messages", "The letters' outlines could not be joined.");
// %1 the font, %2 the characters with their code points.
inline constexpr const char* kGlyphsMissing = PW_TRANSLATE_NOOP("Messages", "%1 has no glyph for %2: left out.");
// %1 the run's height in millimetres.
inline constexpr const char* kBaselineRunAdded = PW_TRANSLATE_NOOP("Messages",
    "A baseline run %1 mm high joins the letters; a post at each end hangs a roof.");
// %1 how many, %2 the stems' width in millimetres.
inline constexpr const char* kStemsAdded = PW_TRANSLATE_NOOP("Messages",
    "Parts apart from the baseline run stand on stems %2 mm wide: %1 of them.");

// Tracing a picture into flats; %1 a count or a factor.
inline constexpr const char* kTraceNothing = PW_TRANSLATE_NOOP("Messages", "No part of the picture is dark enough at this threshold to become a flat.");
inline constexpr const char* kTraceTooDetailed = PW_TRANSLATE_NOOP("Messages",
    "The traced outlines have more than 200,000 pieces: raise the speckle size or use a simpler picture.");
inline constexpr const char* kTraceLevelsOutOfRange = PW_TRANSLATE_NOOP("Messages", "The number of depth levels must be between 2 and 16.");
inline constexpr const char* kTraceThresholdOutOfRange = PW_TRANSLATE_NOOP("Messages", "The threshold must be between 0 and 255.");
inline constexpr const char* kTraceSpeckleOutOfRange = PW_TRANSLATE_NOOP("Messages", "The speckle size must be a whole number of pixels, 0 or more.");
inline constexpr const char* kTraceSpecksDropped = PW_TRANSLATE_NOOP("Messages", "%1 speckles were dropped.");
inline constexpr const char* kTraceProgramMissing = PW_TRANSLATE_NOOP("Messages",
    "The potrace program could not be started: install the potrace package to trace pictures.");
inline constexpr const char* kTraceProgramFailed = PW_TRANSLATE_NOOP("Messages", "The potrace program failed to trace the picture.");
inline constexpr const char* kTraceProgramTooSlow = PW_TRANSLATE_NOOP("Messages",
    "The potrace program took too long to trace the picture and was stopped.");
inline constexpr const char* kTraceShrunk = PW_TRANSLATE_NOOP("Messages", "The picture was traced at 1/%1 of its size.");

}  // namespace pw::msg
