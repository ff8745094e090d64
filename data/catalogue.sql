-- Halvorn's catalogue: what the Add and Format tabs offer. The program reads these tables with
-- SELECT * and by column position, so the order of every column below is fixed.
PRAGMA foreign_keys = ON;

-- 0 id, 1 label, 2 kind, 3 icon, 4 title of the open dialog, 5 name filter of the open dialog.
-- The File menu's "Add Audio File" and "Add Video File" use the first and second rows.
CREATE TABLE tbl_AddCategories (
    id           INTEGER PRIMARY KEY,
    label        TEXT NOT NULL,
    kind         TEXT NOT NULL,
    icon         TEXT NOT NULL,
    dialog_title TEXT NOT NULL,
    name_filter  TEXT NOT NULL
);

-- 0 id, 1 label, 2 device (1 for a device, 0 for a format), 3 icon, 4 count (uses),
-- 5 default_pos (rank among equal counts), 6 description.
CREATE TABLE tbl_FormatCategories (
    id          INTEGER PRIMARY KEY,
    label       TEXT NOT NULL,
    device      INTEGER NOT NULL,
    icon        TEXT NOT NULL,
    count       INTEGER NOT NULL DEFAULT 0,
    default_pos INTEGER NOT NULL,
    description TEXT
);

-- 0 id, 1 label, 2 format (owning tbl_FormatCategories id), 3 icon, 4 extension (no dot),
-- 5 count, 6 default_pos, 7 description, 8 FFmpeg arguments. The arguments carry the frame size as
-- their second token unless they start with -pix_fmt or -vn or hold -aspect; the size is fitted to
-- each source's shape. A DVD preset whose label starts with the word PAL is authored as PAL.
CREATE TABLE tbl_OutputCategories (
    id          INTEGER PRIMARY KEY,
    label       TEXT NOT NULL,
    format      INTEGER NOT NULL REFERENCES tbl_FormatCategories(id),
    icon        TEXT NOT NULL,
    extension   TEXT,
    count       INTEGER NOT NULL DEFAULT 0,
    default_pos INTEGER NOT NULL,
    description TEXT,
    ffmpeg_args TEXT NOT NULL
);

INSERT INTO tbl_AddCategories VALUES
 (1, 'Audio', 'audio', 'images/icons/audio.png', 'Add Audio Files',
  'Audio Files (*.aa *.aac *.aax *.aif *.aifc *.aiff *.amr *.f4a *.f4b *.flac *.m1a *.m2a *.m4a *.m4b *.m4p *.m4r *.mka *.mp1 *.mp2 *.mp3 *.mpa *.oga *.ogg *.qcp *.ra *.ram *.spx *.wav *.wma)'),
 (2, 'Video', 'video', 'images/icons/video.png', 'Add Video Files',
  'Video Files (*.3g2 *.3gp *.avi *.divx *.f4p *.f4v *.flv *.m1v *.m2ts *.m4v *.mk3d *.mkv *.mov *.mp4 *.mpeg *.mpg *.mpv *.mts *.ogv *.ogx *.qt *.rm *.swf *.vob *.webm *.wmv *.xvid)');

INSERT INTO tbl_FormatCategories VALUES
 (1,  'iPhone',        1, 'images/icons/apple-iphone.png',   0, 1, 'Apple'),
 (2,  'Galaxy S4',     1, 'images/icons/samsung-galaxy-s4.png', 0, 2, 'Samsung'),
 (3,  'iPad',          1, 'images/icons/apple-ipad.png',     0, 3, 'Apple'),
 (4,  'MP4',           0, 'images/icons/mp4.png',     0, 1, 'H.264 video with AAC sound'),
 (5,  'MP3',           0, 'images/icons/mp3.png',     0, 2, 'MPEG audio layer III'),
 (6,  'WAV',           0, 'images/icons/wav.png',     0, 5, 'Uncompressed PCM audio'),
 (7,  'DVD',           0, 'images/icons/dvd.png',     0, 3, 'DVD-Video disc'),
 (36, 'Audio CD',      0, 'images/icons/audiocd.png', 0, 4, 'Audio CD');

INSERT INTO tbl_OutputCategories VALUES
 (1,  '1080p', 1, 'images/icons/mp4-1080p.png', 'mp4', 0, 1, 'Full HD',
  '-s 1920x1080 -c:v libx264 -preset fast -crf 22 -profile:v high -level:v 4.0 -maxrate 20M -bufsize 25M -pix_fmt yuv420p -c:a aac -b:a 160k -ac 2 -movflags +faststart'),
 (2,  '720p',  1, 'images/icons/mp4-720p.png',  'mp4', 0, 2, 'HD',
  '-s 1280x720 -c:v libx264 -preset fast -crf 21 -profile:v main -level:v 3.1 -maxrate 14M -bufsize 14M -pix_fmt yuv420p -c:a aac -b:a 160k -ac 2 -movflags +faststart'),
 (3,  '720p',  2, 'images/icons/mp4-720p.png',  'mp4', 0, 1, 'HD',
  '-s 1280x720 -c:v libx264 -preset fast -crf 21 -profile:v main -level:v 3.1 -maxrate 14M -bufsize 14M -pix_fmt yuv420p -c:a aac -b:a 160k -ac 2 -movflags +faststart'),
 (4,  '1080p', 3, 'images/icons/mp4-1080p.png', 'mp4', 0, 1, 'Full HD',
  '-s 1920x1080 -c:v libx264 -preset fast -crf 22 -profile:v high -level:v 4.0 -maxrate 20M -bufsize 25M -pix_fmt yuv420p -c:a aac -b:a 160k -ac 2 -movflags +faststart'),
 (5,  '1080p', 4, 'images/icons/mp4-1080p.png', 'mp4', 0, 1, 'Full HD',
  '-s 1920x1080 -c:v libx264 -preset fast -crf 22 -profile:v high -level:v 4.0 -maxrate 20M -bufsize 25M -pix_fmt yuv420p -c:a aac -b:a 160k -ac 2 -movflags +faststart'),
 (6,  '720p',  4, 'images/icons/mp4-720p.png',  'mp4', 0, 2, 'HD',
  '-s 1280x720 -c:v libx264 -preset fast -crf 21 -profile:v main -level:v 3.1 -maxrate 14M -bufsize 14M -pix_fmt yuv420p -c:a aac -b:a 160k -ac 2 -movflags +faststart'),
 (7,  '320k',  5, 'images/icons/mp3-320.png',  'mp3', 0, 1, 'Best quality',
  '-vn -c:a libmp3lame -b:a 320k'),
 (8,  '128k',  5, 'images/icons/mp3-128.png',  'mp3', 0, 2, 'Small files',
  '-vn -c:a libmp3lame -b:a 128k'),
 (9,  'Lossless', 6, 'images/icons/wav-lossless.png', 'wav', 0, 1, '16-bit PCM',
  '-vn -c:a pcm_s16le'),
 (10, 'PAL DVD',  7, 'images/icons/dvd-pal.png',  'mpg', 0, 1, 'Europe, Asia, Australia',
  '-target pal-dvd -aspect 16:9 -ac 2'),
 (11, 'NTSC DVD', 7, 'images/icons/dvd-ntsc.png', 'mpg', 0, 2, 'Americas, Japan',
  '-target ntsc-dvd -aspect 16:9 -ac 2'),
 (12, 'CD Audio', 36, 'images/icons/audiocd-wav.png',  'wav', 0, 1, '44.1 kHz, 16-bit, stereo',
  '-vn -ar 44100 -ac 2 -c:a pcm_s16le');
