#pragma once

namespace pw::msg {

// What goes wrong when a picture, a text or a model becomes relief: shown in
// a message box by the desktop program, one line on stderr by popwright-cli.
inline constexpr const char* kPictureUnreadable = "The picture could not be read.";
inline constexpr const char* kPictureEmpty = "The picture has no pixels.";
inline constexpr const char* kPictureTooLarge = "The picture has more than 100 million pixels.";
inline constexpr const char* kTextEmpty = "The text renders to nothing.";
inline constexpr const char* kTextTooLong = "The text is longer than 200 characters.";
inline constexpr const char* kFontNotFound = "No font could be found for the text.";
inline constexpr const char* kModelUnreadable = "The model could not be read.";
inline constexpr const char* kModelUnsupported = "Please specify a *.obj, *.stl, *.ply, *.gltf, *.glb or *.3mf file.";
inline constexpr const char* kModelNoTriangles = "The model has no triangles.";
inline constexpr const char* kModelTooLarge = "The model has more than 5 million triangles.";
inline constexpr const char* kModelTooManyNodes = "The model has more than 100,000 parts.";
inline constexpr const char* kModelUnpacksTooLarge = "The model unpacks to more than 256 MB.";
inline constexpr const char* kModelNotFinite = "The model has coordinates that are not finite numbers.";
inline constexpr const char* kModelFlat = "The model has no width or no height seen from the front.";
// A relief that would leave the whole area flat is refused, with the reason.
inline constexpr const char* kPictureAllWhite = "The picture is white all over: nothing would stand out.";
inline constexpr const char* kPictureTooLight =
    "No part of the picture is dark enough to stand out one cell: the relief would be flat.";
inline constexpr const char* kTextTooSmall =
    "The text is too small to show at one cell: give it a larger area or fewer characters.";
inline constexpr const char* kModelTooSmall = "The model is too small to stand out one cell in the area.";
// A text drawn in another font than the one named; %1 the name, %2 the font used.
inline constexpr const char* kFontReplaced = "No font \"%1\" was found; the text is drawn in %2.";
inline constexpr const char* kAreaOutsideCard = "The area lies outside the card.";
inline constexpr const char* kDepthOutsideCard = "The depth must be between 1 and %1.";
inline constexpr const char* kThresholdOutOfRange = "The threshold must be between 0 and 100.";

}  // namespace pw::msg
