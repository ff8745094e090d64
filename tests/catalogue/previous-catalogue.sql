-- A user's copy of the last catalogue without a version: its tables, part of its rows (an upgrade
-- replaces them all) and the user's counters.
CREATE TABLE tbl_AddCategories (id INTEGER PRIMARY KEY, label TEXT NOT NULL, kind TEXT NOT NULL, icon TEXT NOT NULL, dialog_title TEXT NOT NULL, name_filter TEXT NOT NULL);
CREATE TABLE tbl_FormatCategories (id INTEGER PRIMARY KEY, label TEXT NOT NULL, device INTEGER NOT NULL, icon TEXT NOT NULL, count INTEGER NOT NULL DEFAULT 0, default_pos INTEGER NOT NULL, look TEXT NOT NULL);
CREATE TABLE tbl_OutputCategories (id INTEGER PRIMARY KEY, label TEXT NOT NULL, format INTEGER NOT NULL REFERENCES tbl_FormatCategories(id), icon TEXT NOT NULL, extension TEXT, count INTEGER NOT NULL DEFAULT 0, default_pos INTEGER NOT NULL, description TEXT, ffmpeg_args TEXT NOT NULL);
INSERT INTO tbl_AddCategories VALUES
 (1, 'Audio', 'audio', 'images/icons/audio.png', 'Add Audio Files', 'Audio Files (*.aa *.aac *.aax *.aif *.aifc *.aiff *.amr *.f4a *.f4b *.flac *.m1a *.m2a *.m4a *.m4b *.m4p *.m4r *.mka *.mp1 *.mp2 *.mp3 *.mpa *.oga *.ogg *.qcp *.ra *.ram *.spx *.wav *.wma)'),
 (2, 'Video', 'video', 'images/icons/video.png', 'Add Video Files', 'Video Files (*.3g2 *.3gp *.avi *.divx *.f4p *.f4v *.flv *.m1v *.m2ts *.m4v *.mk3d *.mkv *.mov *.mp4 *.mpeg *.mpg *.mpv *.mts *.ogv *.ogx *.qt *.rm *.swf *.vob *.webm *.wmv *.xvid)');
INSERT INTO tbl_FormatCategories VALUES (1, 'MP4', 0, 'images/icons/mp4.png', 3, 1, 'video:MP4'), (2, 'MP3', 0, 'images/icons/mp3.png', 5, 2, 'audio:MP3'),
 (100, 'iPhone 15', 1, 'images/icons/apple-iphone15.png', 2, 1, 'phone:Apple');
INSERT INTO tbl_OutputCategories VALUES (1, '1080p', 1, 'images/icons/mp4-1080p.png', 'mp4', 3, 1, '1920x1080, H.264 and AAC', '-s 1920x1080 -c:v libx264'),
 (82, '320k', 2, 'images/icons/mp3-320.png', 'mp3', 5, 1, 'MP3, 320 kbit/s', '-vn -c:a libmp3lame -b:a 320k'),
 (400, 'Gone', 100, 'images/icons/mp4-tv.png', 'mp4', 9, 3, 'a preset the new release dropped', '-s 640x480');
