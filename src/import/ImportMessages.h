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
inline constexpr const char* kAreaOutsideCard = "The area lies outside the card.";
inline constexpr const char* kDepthOutsideCard = "The depth must be between 1 and %1.";
inline constexpr const char* kThresholdOutOfRange = "The threshold must be between 0 and 100.";

}  // namespace pw::msg
