#pragma once
// What the registry commands say to the user.

#include <string_view>

namespace tally {

inline constexpr std::string_view kSelectObjectFirst = "Select an object first.";
inline constexpr std::string_view kObjectFileNotFound = "The file associated with this object can not be found.";
inline constexpr std::string_view kExportOverwrite = "This file already exists. Do you want to overwrite it?";
inline constexpr std::string_view kDeleteBackupQuestion =
    "This registry key and any and all sub keys it contains will be permanantly deleted from the registry.\r\n"
    "This may negatively effect the operation of your comptrer.\r\n\r\n"
    "Would you like to make a backup of this key first?";
inline constexpr std::string_view kDeleteConfirm =
    "Click Yes to delete the selected registry key. Click No to cancel the operation.";
inline constexpr std::string_view kUnableToSave = "Unable to save the new value.";
inline constexpr std::string_view kValueTooLarge = "The value you entered is too large. Please try again";
inline constexpr std::string_view kValueInvalid = "The value you entered is invalid. Please try again";
inline constexpr std::string_view kBinaryNotEditable = "Unable to edit binary data.";
inline constexpr std::string_view kValueNotSet = "(value not set)";
// The save dialogs of the registry commands.
inline constexpr std::string_view kSaveFileTitle = "Save File";
inline constexpr std::string_view kRegistryFileFilter = "Registry Files|*.reg|All Files|*.*";
inline constexpr std::string_view kObjectFileFilter = "OCX & DLL Files|*.ocx; *.dll|All Files|*.*";

}  // namespace tally
