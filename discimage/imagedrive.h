#pragma once

#include "platform/cdaudio.h"
#include "platform/drives.h"

#include <QList>
#include <QString>

#include <memory>

// Disc images that behave as drives: a CUE sheet with its BIN (or WAVE) files reads like an audio
// CD in a drive, so that a user can rip an image and the tests need no hardware; a DVD-Video
// image (.iso) or a folder holding VIDEO_TS lists like a DVD drive.
namespace DiscImage {

// Colon-separated list of disc images that appear as drives.
inline constexpr auto imageVariable = "HALVORN_DISC_IMAGES";

// A CUE sheet (by its .cue suffix) opens as an image, anything else as a CD-ROM device. Null, with
// the reason in status, when it cannot be opened; for an image, reason then says for the user what
// is wrong with it.
[[nodiscard]] std::unique_ptr<CdAudio::Drive> openCd(const QString& device, CdAudio::Status& status,
                                                     QString* reason = nullptr);

// Only the images named by the environment; names that are no readable image are left out.
[[nodiscard]] QList<Drives::OpticalDrive> imageDrives();
// Every drive: the machine's own in device order, then the images in the order named.
[[nodiscard]] QList<Drives::OpticalDrive> allDrives();

} // namespace DiscImage
