-- Halvorn's catalogue: what the Add and Format tabs offer. The program reads the columns by name.
--
-- The argument strings are made from templates, so that each way of encoding is written once:
-- a container template holds placeholders ({size}, {crf}, ...) that a quality row fills. The
-- frame size stays the second token: the program fits it to each source's shape. Strings that
-- start with -vn (sound only) or hold -aspect (DVD) are used as they stand.
PRAGMA foreign_keys = ON;

-- The catalogue's version. Raise it whenever a row or a column changes: a user's copy with a lower
-- version is replaced by the new catalogue at the next start, keeping its use counters by id. So
-- an id keeps its meaning from release to release: new rows come after the existing ones.
PRAGMA user_version = 2;

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
-- 5 default_pos (rank among equal counts), 6 look: how its icon is drawn, "kind:Maker" for a
-- device, "family:TEXT" for a format.
CREATE TABLE tbl_FormatCategories (
    id          INTEGER PRIMARY KEY,
    label       TEXT NOT NULL,
    device      INTEGER NOT NULL,
    icon        TEXT NOT NULL,
    count       INTEGER NOT NULL DEFAULT 0,
    default_pos INTEGER NOT NULL,
    look        TEXT NOT NULL
);

-- 0 id, 1 label (a DVD preset whose first word is PAL is authored as PAL), 2 format (owning
-- tbl_FormatCategories id), 3 icon, 4 extension (no dot), 5 count, 6 default_pos,
-- 7 description, 8 FFmpeg arguments.
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
  'Audio Files (*.aa *.aac *.aax *.ac3 *.aif *.aifc *.aiff *.amr *.ape *.au *.caf *.dts *.eac3 *.f4a *.f4b *.flac *.m1a *.m2a *.m4a *.m4b *.m4p *.m4r *.mka *.mp1 *.mp2 *.mp3 *.mpa *.mpc *.oga *.ogg *.opus *.qcp *.ra *.ram *.snd *.spx *.tta *.wav *.weba *.wma *.wv)'),
 (2, 'Video', 'video', 'images/icons/video.png', 'Add Video Files',
  'Video Files (*.3g2 *.3gp *.3gpp *.3gpp2 *.asf *.avi *.divx *.dv *.f4p *.f4v *.flv *.lrv *.m1v *.m2t *.m2ts *.m4v *.mk3d *.mkv *.mov *.mp4 *.mpeg *.mpg *.mpv *.mts *.mxf *.ogm *.ogv *.ogx *.qt *.rm *.rmvb *.swf *.ts *.vob *.webm *.wmv *.wtv *.xvid)');

-- ---- formats --------------------------------------------------------------------------------
-- Ids 7 (DVD-Video disc) and 36 (audio CD) are fixed: choosing them ends a run in a burn.
INSERT INTO tbl_FormatCategories (id, label, device, icon, default_pos, look) VALUES
 (1,  'MP4',       0, 'images/icons/mp4.png',      1,  'video:MP4'),
 (2,  'MP3',       0, 'images/icons/mp3.png',      2,  'audio:MP3'),
 (3,  'AVI',       0, 'images/icons/avi.png',      5,  'video:AVI'),
 (4,  'WMV',       0, 'images/icons/wmv.png',      8,  'video:WMV'),
 (5,  'MKV',       0, 'images/icons/mkv.png',      6,  'video:MKV'),
 (6,  'MOV',       0, 'images/icons/mov.png',      7,  'video:MOV'),
 (7,  'DVD',       0, 'images/icons/dvd.png',      3,  'disc:DVD'),
 (8,  'WebM',      0, 'images/icons/webm.png',     9,  'video:WEBM'),
 (9,  'FLV',       0, 'images/icons/flv.png',      21, 'video:FLV'),
 (10, '3GP',       0, 'images/icons/3gp.png',      22, 'video:3GP'),
 (11, 'MPEG',      0, 'images/icons/mpeg.png',     23, 'video:MPEG'),
 (12, 'SWF',       0, 'images/icons/swf.png',      26, 'video:SWF'),
 (13, 'M4V',       0, 'images/icons/m4v.png',      20, 'video:M4V'),
 (14, 'GIF',       0, 'images/icons/gif.png',      15, 'video:GIF'),
 (15, 'AAC',       0, 'images/icons/aac.png',      12, 'audio:AAC'),
 (16, 'M4A',       0, 'images/icons/m4a.png',      11, 'audio:M4A'),
 (17, 'M4B',       0, 'images/icons/m4b.png',      24, 'audio:M4B'),
 (18, 'M4R',       0, 'images/icons/m4r.png',      25, 'audio:M4R'),
 (19, 'OGG',       0, 'images/icons/ogg.png',      16, 'audio:OGG'),
 (20, 'WMA',       0, 'images/icons/wma.png',      18, 'audio:WMA'),
 (21, 'FLAC',      0, 'images/icons/flac.png',     13, 'audio:FLAC'),
 (22, 'WAV',       0, 'images/icons/wav.png',      14, 'audio:WAV'),
 (23, 'HEVC',      0, 'images/icons/hevc.png',     10, 'video:HEVC'),
 (24, 'AV1',       0, 'images/icons/av1.png',      19, 'video:AV1'),
 (25, 'Opus',      0, 'images/icons/opus.png',     17, 'audio:OPUS'),
 (36, 'Audio CD',  0, 'images/icons/audiocd.png',  4,  'disc:CD');

-- Picture qualities. The first six are the formats' own; the others fit particular screens and
-- serve the devices. icon: the quality part of the preset's icon name.
CREATE TEMP TABLE quality (
    name TEXT PRIMARY KEY, label TEXT, size TEXT, pos INTEGER, for_formats INTEGER, icon TEXT,
    crf INTEGER, profile TEXT, level TEXT, maxrate TEXT, bufsize TEXT, vb TEXT, ab TEXT
);
INSERT INTO quality VALUES
 ('1080p', '1080p',    '1920x1080', 1, 1, '1080p', 22, 'high',     '4.0', '20M',  '25M',  '8M',   '160k'),
 ('720p',  '720p',     '1280x720',  2, 1, '720p',  21, 'main',     '3.1', '14M',  '14M',  '5M',   '160k'),
 ('tv',    'TV',       '640x480',   3, 1, 'tv',    22, 'main',     '3.0', '3M',   '6M',   '2M',   '128k'),
 ('pal',   'PAL',      '720x576',   4, 1, 'pal',   22, 'main',     '3.0', '5M',   '10M',  '3M',   '160k'),
 ('ntsc',  'NTSC',     '720x480',   5, 1, 'ntsc',  22, 'main',     '3.0', '5M',   '10M',  '3M',   '160k'),
 ('low',   'Low',      '320x240',   6, 1, 'low',   24, 'baseline', '3.0', '768k', '1536k', '700k', '96k'),
 ('qvga',  '320x240',  '320x240',   7, 0, 'low',   23, 'baseline', '1.3', '768k', '1536k', '700k', '128k'),
 ('hvga',  '480x320',  '480x320',   8, 0, 'low',   23, 'baseline', '3.0', '1500k', '3M',  '1M',   '128k'),
 ('3ds',   '400x240',  '400x240',   9, 0, 'low',   23, 'baseline', '3.0', '1500k', '3M',  '1M',   '128k'),
 ('vga',   '640x480',  '640x480',   10, 0, 'tv',   22, 'baseline', '3.0', '2500k', '5M',  '2M',   '128k'),
 ('wvga',  '800x480',  '800x480',   11, 0, 'tv',   22, 'baseline', '3.1', '2500k', '5M',  '2M',   '128k'),
 ('qhdw',  '960x540',  '960x540',   12, 0, 'tv',   22, 'main',     '3.1', '5M',   '10M',  '3M',   '160k'),
 ('qhd',   '960x640',  '960x640',   13, 0, 'tv',   22, 'main',     '3.1', '5M',   '10M',  '3M',   '160k'),
 ('wsvga', '1024x600', '1024x600',  14, 0, 'tv',   22, 'main',     '3.1', '6M',   '12M',  '4M',   '160k'),
 ('xga',   '1024x768', '1024x768',  15, 0, 'tv',   22, 'main',     '3.1', '6M',   '12M',  '4M',   '160k');

-- How each video format encodes, with the qualities it offers (all: the six format qualities;
-- hd: 1080p and 720p only).
CREATE TEMP TABLE container (
    format INTEGER, ext TEXT, qualities TEXT, family TEXT, description TEXT, template TEXT
);
INSERT INTO container VALUES
 (1,  'mp4',  'all', 'mp4',  'H.264 and AAC',
  '-s {size} -c:v libx264 -preset fast -crf {crf} -profile:v {profile} -level:v {level} -maxrate {maxrate} -bufsize {bufsize} -pix_fmt yuv420p -c:a aac -b:a {ab} -ac 2 -sn -movflags +faststart'),
 (13, 'm4v',  'all', 'm4v',  'H.264 and AAC',
  '-s {size} -c:v libx264 -preset fast -crf {crf} -profile:v {profile} -level:v {level} -maxrate {maxrate} -bufsize {bufsize} -pix_fmt yuv420p -c:a aac -b:a {ab} -ac 2 -sn -movflags +faststart'),
 (6,  'mov',  'all', 'mov',  'H.264 and AAC',
  '-s {size} -c:v libx264 -preset fast -crf {crf} -profile:v {profile} -level:v {level} -maxrate {maxrate} -bufsize {bufsize} -pix_fmt yuv420p -c:a aac -b:a {ab} -ac 2 -sn -movflags +faststart'),
 (5,  'mkv',  'all', 'mkv',  'H.264 and AAC',
  '-s {size} -c:v libx264 -preset fast -crf {crf} -profile:v {profile} -level:v {level} -maxrate {maxrate} -bufsize {bufsize} -pix_fmt yuv420p -c:a aac -b:a {ab} -ac 2 -sn'),
 (10, '3gp',  'all', '3gp',  'H.264 Baseline and AAC',
  '-s {size} -c:v libx264 -preset fast -crf {crf} -profile:v baseline -level:v {level} -maxrate {maxrate} -bufsize {bufsize} -pix_fmt yuv420p -c:a aac -b:a 96k -ac 2 -ar 44100 -sn'),
 (9,  'flv',  'all', 'flv',  'H.264 and AAC in Flash Video',
  '-s {size} -c:v libx264 -preset fast -crf {crf} -profile:v {profile} -level:v {level} -maxrate {maxrate} -bufsize {bufsize} -pix_fmt yuv420p -c:a aac -b:a {ab} -ac 2 -ar 44100 -sn'),
 (3,  'avi',  'all', 'avi',  'MPEG-4 (Xvid) and MP3',
  '-s {size} -c:v mpeg4 -vtag xvid -q:v 3 -c:a libmp3lame -b:a {ab} -ac 2 -sn'),
 (4,  'wmv',  'all', 'wmv',  'Windows Media Video 8 and Audio 2',
  '-s {size} -c:v wmv2 -b:v {vb} -c:a wmav2 -b:a {ab} -ac 2 -sn'),
 (11, 'mpg',  'all', 'mpeg', 'MPEG-2 and MPEG audio',
  '-s {size} -c:v mpeg2video -q:v 3 -r 25 -c:a mp2 -b:a 192k -ac 2 -ar 48000 -sn'),
 (12, 'swf',  'all', 'swf',  'Flash (Sorenson Spark) and MP3',
  '-s {size} -c:v flv -q:v 4 -c:a libmp3lame -b:a 128k -ac 2 -ar 44100 -sn'),
 (8,  'webm', 'all', 'webm', 'VP9 and Opus',
  '-s {size} -c:v libvpx-vp9 -deadline good -cpu-used 4 -row-mt 1 -crf {vcrf} -b:v 0 -pix_fmt yuv420p -c:a libopus -b:a {ab} -sn'),
 (23, 'mp4',  'hd',  'hevc', 'H.265 (HEVC) and AAC',
  '-s {size} -c:v libx265 -preset fast -crf {hcrf} -tag:v hvc1 -pix_fmt yuv420p -c:a aac -b:a {ab} -ac 2 -sn -movflags +faststart'),
 (24, 'mkv',  'hd',  'av1',  'AV1 and Opus',
  '-s {size} -c:v libsvtav1 -preset 8 -crf {acrf} -pix_fmt yuv420p -c:a libopus -b:a {ab} -sn');

-- Fills a template with a quality's values.
CREATE TEMP VIEW filled AS
SELECT c.format, c.ext, c.family, c.description, q.name AS quality, q.label, q.pos, q.icon AS quality_icon,
       q.size,
       replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(c.template,
           '{size}', q.size), '{crf}', q.crf), '{vcrf}', q.crf + 10), '{hcrf}', q.crf + 4),
           '{acrf}', q.crf + 13), '{profile}', q.profile), '{level}', q.level), '{maxrate}', q.maxrate),
           '{bufsize}', q.bufsize), '{vb}', q.vb), '{ab}', q.ab) AS args
FROM container c CROSS JOIN quality q;

INSERT INTO tbl_OutputCategories (label, format, icon, extension, default_pos, description, ffmpeg_args)
SELECT label, format, 'images/icons/' || family || '-' || quality_icon || '.png', ext, pos,
       size || ', ' || description, args
FROM filled
WHERE quality IN (SELECT name FROM quality WHERE for_formats = 1)
  AND (family NOT IN ('hevc', 'av1') OR quality IN ('1080p', '720p'))
ORDER BY format, pos;

INSERT INTO tbl_OutputCategories (label, format, icon, extension, default_pos, description, ffmpeg_args) VALUES
 ('Large', 14, 'images/icons/gif-large.png', 'gif', 1, '480x270 animation, 12 frames a second',
  '-s 480x270 -vf fps=12,split[a][b];[a]palettegen=stats_mode=diff[p];[b][p]paletteuse=dither=bayer -an -loop 0'),
 ('Small', 14, 'images/icons/gif-small.png', 'gif', 2, '320x180 animation, 10 frames a second',
  '-s 320x180 -vf fps=10,split[a][b];[a]palettegen=stats_mode=diff[p];[b][p]paletteuse=dither=bayer -an -loop 0'),
 ('PAL 16:9',  7, 'images/icons/dvd-pal.png',  'mpg', 1, 'DVD-Video, 720x576, 25 frames a second, wide screen',
  '-target pal-dvd -aspect 16:9 -ac 2'),
 ('PAL 4:3',   7, 'images/icons/dvd-pal.png',  'mpg', 2, 'DVD-Video, 720x576, 25 frames a second',
  '-target pal-dvd -aspect 4:3 -ac 2'),
 ('NTSC 16:9', 7, 'images/icons/dvd-ntsc.png', 'mpg', 3, 'DVD-Video, 720x480, 29.97 frames a second, wide screen',
  '-target ntsc-dvd -aspect 16:9 -ac 2'),
 ('NTSC 4:3',  7, 'images/icons/dvd-ntsc.png', 'mpg', 4, 'DVD-Video, 720x480, 29.97 frames a second',
  '-target ntsc-dvd -aspect 4:3 -ac 2'),
 ('CD Audio', 36, 'images/icons/audiocd-wav.png', 'wav', 1, '44,100 Hz, 16-bit, stereo',
  '-vn -ar 44100 -ac 2 -c:a pcm_s16le'),
 ('Lossless', 21, 'images/icons/flac-lossless.png', 'flac', 1, 'FLAC, as the source',
  '-vn -c:a flac'),
 ('CD quality', 21, 'images/icons/flac-cd.png', 'flac', 2, 'FLAC, 44,100 Hz, 16-bit',
  '-vn -c:a flac -sample_fmt s16 -ar 44100'),
 ('16-bit', 22, 'images/icons/wav-lossless.png', 'wav', 1, 'PCM, 16-bit',
  '-vn -c:a pcm_s16le'),
 ('24-bit', 22, 'images/icons/wav-24bit.png', 'wav', 2, 'PCM, 24-bit',
  '-vn -c:a pcm_s24le');

-- Sound formats at their bit rates. Vorbis and Opus are made stereo: their encoders refuse the
-- higher rates for a single channel.
CREATE TEMP TABLE bitrate (kbps INTEGER, pos INTEGER);
INSERT INTO bitrate VALUES (320, 1), (256, 2), (192, 3), (128, 4), (96, 5), (48, 6);
CREATE TEMP TABLE sound (format INTEGER, ext TEXT, family TEXT, description TEXT, template TEXT);
INSERT INTO sound VALUES
 (2,  'mp3',  'mp3',  'MP3',        '-vn -c:a libmp3lame -b:a {k}k'),
 (15, 'aac',  'aac',  'AAC',        '-vn -c:a aac -b:a {k}k'),
 (16, 'm4a',  'm4a',  'AAC in MPEG-4', '-vn -c:a aac -b:a {k}k -movflags +faststart'),
 (17, 'm4b',  'm4b',  'AAC audiobook', '-vn -c:a aac -b:a {k}k -movflags +faststart'),
 (18, 'm4r',  'm4r',  'AAC ringtone', '-vn -c:a aac -b:a {k}k -f ipod'),
 (19, 'ogg',  'ogg',  'Ogg Vorbis', '-vn -c:a libvorbis -b:a {k}k -ac 2'),
 (20, 'wma',  'wma',  'Windows Media Audio 2', '-vn -c:a wmav2 -b:a {k}k'),
 (25, 'opus', 'opus', 'Opus',       '-vn -c:a libopus -b:a {k}k -ac 2');
INSERT INTO tbl_OutputCategories (label, format, icon, extension, default_pos, description, ffmpeg_args)
SELECT b.kbps || 'k', s.format, 'images/icons/' || s.family || '-' || b.kbps || '.png', s.ext, b.pos,
       s.description || ', ' || b.kbps || ' kbit/s', replace(s.template, '{k}', b.kbps)
FROM sound s CROSS JOIN bitrate b
ORDER BY s.format, b.pos;

-- ---- devices --------------------------------------------------------------------------------
-- One row a device: its maker, model (the icon is maker-model.png), label, the kind of picture
-- drawn for it, and one or two presets, each a template (mp4, hevc or psp) and a quality.
CREATE TEMP TABLE device (
    pos INTEGER PRIMARY KEY, maker TEXT, model TEXT, label TEXT, kind TEXT, maker_name TEXT,
    preset1 TEXT, preset2 TEXT
);
INSERT INTO device (pos, maker, model, label, kind, maker_name, preset1, preset2) VALUES
 (1,   'apple',     'iphone15',             'iPhone 15',          'phone',    'Apple',      'mp4:1080p', 'hevc:1080p'),
 (2,   'samsung',   'galaxy-s24',           'Galaxy S24',         'phone',    'Samsung',    'mp4:1080p', 'hevc:1080p'),
 (3,   'google',    'pixel8',               'Pixel 8',            'phone',    'Google',     'mp4:1080p', 'hevc:1080p'),
 (4,   'apple',     'ipadpro',              'iPad Pro',           'tablet',   'Apple',      'mp4:1080p', 'hevc:1080p'),
 (5,   'web',       'upload',               'Web Upload',         'web',      'Web',        'mp4:1080p', 'mp4:720p'),
 (6,   'sony',      'ps5',                  'PlayStation 5',      'console',  'Sony',       'mp4:1080p', 'hevc:1080p'),
 (7,   'microsoft', 'xbox-series-x',        'Xbox Series X',      'console',  'Microsoft',  'mp4:1080p', 'hevc:1080p'),
 (8,   'nintendo',  'switch',               'Switch',             'handheld', 'Nintendo',   'mp4:720p',  NULL),
 (9,   'google',    'chromecast',           'Chromecast',         'box',      'Google',     'mp4:1080p', 'hevc:1080p'),
 (10,  'amazon',    'fire-tv',              'Fire TV',            'box',      'Amazon',     'mp4:1080p', 'hevc:1080p'),
 (11,  'apple',     'appletv',              'Apple TV',           'box',      'Apple',      'mp4:1080p', 'mp4:720p'),
 (12,  'samsung',   'smart-tv',             'Samsung Smart TV',   'tv',       'Samsung',    'mp4:1080p', 'mp4:720p'),
 (13,  'sony',      'smart-tv',             'Sony Smart TV',      'tv',       'Sony',       'mp4:1080p', 'mp4:720p'),
 (14,  'apple',     'iphone5',              'iPhone 5',           'phone',    'Apple',      'mp4:720p',  NULL),
 (15,  'apple',     'iphone4s',             'iPhone 4S',          'phone',    'Apple',      'mp4:qhd',   'mp4:720p'),
 (16,  'apple',     'iphone4',              'iPhone 4',           'phone',    'Apple',      'mp4:qhd',   NULL),
 (17,  'apple',     'iphone',               'iPhone',             'phone',    'Apple',      'mp4:hvga',  NULL),
 (18,  'apple',     'ipadair',              'iPad Air',           'tablet',   'Apple',      'mp4:1080p', 'mp4:720p'),
 (19,  'apple',     'ipad3',                'iPad 3',             'tablet',   'Apple',      'mp4:1080p', 'mp4:720p'),
 (20,  'apple',     'ipad2',                'iPad 2',             'tablet',   'Apple',      'mp4:xga',   'mp4:720p'),
 (21,  'apple',     'ipad',                 'iPad',               'tablet',   'Apple',      'mp4:xga',   NULL),
 (22,  'apple',     'ipadmini',             'iPad mini',          'tablet',   'Apple',      'mp4:xga',   'mp4:720p'),
 (23,  'apple',     'ipodtouch4g',          'iPod touch 4G',      'player',   'Apple',      'mp4:qhd',   NULL),
 (24,  'apple',     'ipodtouch3g',          'iPod touch 3G',      'player',   'Apple',      'mp4:hvga',  NULL),
 (25,  'apple',     'ipodtouch2g',          'iPod touch 2G',      'player',   'Apple',      'mp4:hvga',  NULL),
 (26,  'apple',     'ipodtouch1g',          'iPod touch',         'player',   'Apple',      'mp4:hvga',  NULL),
 (27,  'apple',     'ipodnano',             'iPod nano',          'player',   'Apple',      'mp4:qvga',  NULL),
 (28,  'apple',     'ipodclassic',          'iPod classic',       'player',   'Apple',      'mp4:qvga',  NULL),
 (29,  'apple',     'ipod5g',               'iPod 5G',            'player',   'Apple',      'mp4:qvga',  NULL),
 (30,  'samsung',   'galaxy-s4',            'Galaxy S4',          'phone',    'Samsung',    'mp4:1080p', 'mp4:720p'),
 (31,  'samsung',   'galaxy-siii',          'Galaxy S III',       'phone',    'Samsung',    'mp4:720p',  NULL),
 (32,  'samsung',   'galaxy-sii',           'Galaxy S II',        'phone',    'Samsung',    'mp4:wvga',  NULL),
 (33,  'samsung',   'galaxy-note-3',        'Galaxy Note 3',      'phone',    'Samsung',    'mp4:1080p', 'mp4:720p'),
 (34,  'samsung',   'galaxy-note-2',        'Galaxy Note II',     'phone',    'Samsung',    'mp4:720p',  NULL),
 (35,  'samsung',   'galaxy-note',          'Galaxy Note',        'phone',    'Samsung',    'mp4:720p',  NULL),
 (36,  'samsung',   'galaxy-s4-mini',       'Galaxy S4 mini',     'phone',    'Samsung',    'mp4:qhdw',  NULL),
 (37,  'samsung',   'galaxy-nexus',         'Galaxy Nexus',       'phone',    'Samsung',    'mp4:720p',  NULL),
 (38,  'samsung',   'galaxy-s-4g',          'Galaxy S 4G',        'phone',    'Samsung',    'mp4:wvga',  NULL),
 (39,  'samsung',   'galaxy-ace',           'Galaxy Ace',         'phone',    'Samsung',    'mp4:hvga',  NULL),
 (40,  'samsung',   'galaxy-ace-plus',      'Galaxy Ace Plus',    'phone',    'Samsung',    'mp4:hvga',  NULL),
 (41,  'samsung',   'galaxy-gio',           'Galaxy Gio',         'phone',    'Samsung',    'mp4:hvga',  NULL),
 (42,  'samsung',   'galaxy-mini',          'Galaxy mini',        'phone',    'Samsung',    'mp4:qvga',  NULL),
 (43,  'samsung',   'galaxy-y-duos',        'Galaxy Y Duos',      'phone',    'Samsung',    'mp4:qvga',  NULL),
 (44,  'samsung',   'galaxy-player-5',      'Galaxy Player 5',    'player',   'Samsung',    'mp4:wvga',  NULL),
 (45,  'samsung',   'galaxytabletp1000',    'Galaxy Tab P1000',   'tablet',   'Samsung',    'mp4:wsvga', NULL),
 (46,  'samsung',   'captivate',            'Captivate',          'phone',    'Samsung',    'mp4:wvga',  NULL),
 (47,  'samsung',   'conquer-4g',           'Conquer 4G',         'phone',    'Samsung',    'mp4:wvga',  NULL),
 (48,  'samsung',   'droid-charge',         'Droid Charge',       'phone',    'Samsung',    'mp4:wvga',  NULL),
 (49,  'samsung',   'epic-4g-touch',        'Epic 4G Touch',      'phone',    'Samsung',    'mp4:wvga',  NULL),
 (50,  'samsung',   'focus',                'Focus',              'phone',    'Samsung',    'mp4:wvga',  NULL),
 (51,  'samsung',   'i5700-spica',          'Spica i5700',        'phone',    'Samsung',    'mp4:hvga',  NULL),
 (52,  'samsung',   'infuse-4g',            'Infuse 4G',          'phone',    'Samsung',    'mp4:wvga',  NULL),
 (53,  'samsung',   'intercept',            'Intercept',          'phone',    'Samsung',    'mp4:qvga',  NULL),
 (54,  'samsung',   'nexus-s-4g',           'Nexus S 4G',         'phone',    'Samsung',    'mp4:wvga',  NULL),
 (55,  'samsung',   's5560-marvel',         'Marvel S5560',       'phone',    'Samsung',    'mp4:qvga',  NULL),
 (56,  'samsung',   'stratosphere',         'Stratosphere',       'phone',    'Samsung',    'mp4:wvga',  NULL),
 (57,  'samsung',   'wave-3',               'Wave 3',             'phone',    'Samsung',    'mp4:wvga',  NULL),
 (58,  'google',    'nexus-7',              'Nexus 7',            'tablet',   'Google',     'mp4:720p',  NULL),
 (59,  'google',    'galaxy-nexus',         'Galaxy Nexus',       'phone',    'Google',     'mp4:720p',  NULL),
 (60,  'google',    'nexus-s-4g',           'Nexus S 4G',         'phone',    'Google',     'mp4:wvga',  NULL),
 (61,  'lg',        'nexus5',               'Nexus 5',            'phone',    'LG',         'mp4:1080p', 'mp4:720p'),
 (62,  'lg',        'g2',                   'G2',                 'phone',    'LG',         'mp4:1080p', 'mp4:720p'),
 (63,  'lg',        'vs920',                'Spectrum',           'phone',    'LG',         'mp4:720p',  NULL),
 (64,  'lg',        'optimus-2x',           'Optimus 2X',         'phone',    'LG',         'mp4:wvga',  NULL),
 (65,  'lg',        'optimus-t',            'Optimus T',          'phone',    'LG',         'mp4:hvga',  NULL),
 (66,  'lg',        'thrill',               'Thrill 4G',          'phone',    'LG',         'mp4:wvga',  NULL),
 (67,  'lg',        'enlighten',            'Enlighten',          'phone',    'LG',         'mp4:hvga',  NULL),
 (68,  'lg',        'gd880mini',            'GD880 Mini',         'phone',    'LG',         'mp4:hvga',  NULL),
 (69,  'lg',        'gw620',                'GW620',              'phone',    'LG',         'mp4:hvga',  NULL),
 (70,  'htc',       'one-max',              'One max',            'phone',    'HTC',        'mp4:1080p', 'mp4:720p'),
 (71,  'htc',       'one-mini',             'One mini',           'phone',    'HTC',        'mp4:720p',  NULL),
 (72,  'htc',       'onex',                 'One X',              'phone',    'HTC',        'mp4:720p',  NULL),
 (73,  'htc',       'one-x+',               'One X+',             'phone',    'HTC',        'mp4:720p',  NULL),
 (74,  'htc',       'ones',                 'One S',              'phone',    'HTC',        'mp4:qhdw',  NULL),
 (75,  'htc',       'rezound',              'Rezound',            'phone',    'HTC',        'mp4:720p',  NULL),
 (76,  'htc',       'sensation',            'Sensation',          'phone',    'HTC',        'mp4:qhdw',  NULL),
 (77,  'htc',       'evo3d',                'EVO 3D',             'phone',    'HTC',        'mp4:qhdw',  NULL),
 (78,  'htc',       'evo4g',                'EVO 4G',             'phone',    'HTC',        'mp4:wvga',  NULL),
 (79,  'htc',       'desire',               'Desire',             'phone',    'HTC',        'mp4:wvga',  NULL),
 (80,  'htc',       'desire-500',           'Desire 500',         'phone',    'HTC',        'mp4:wvga',  NULL),
 (81,  'htc',       'thunderbolt',          'Thunderbolt',        'phone',    'HTC',        'mp4:wvga',  NULL),
 (82,  'htc',       'inspire-4g',           'Inspire 4G',         'phone',    'HTC',        'mp4:wvga',  NULL),
 (83,  'htc',       'hd2',                  'HD2',                'phone',    'HTC',        'mp4:wvga',  NULL),
 (84,  'htc',       'radar',                'Radar',              'phone',    'HTC',        'mp4:wvga',  NULL),
 (85,  'htc',       'rhyme',                'Rhyme',              'phone',    'HTC',        'mp4:wvga',  NULL),
 (86,  'htc',       'titan',                'Titan',              'phone',    'HTC',        'mp4:wvga',  NULL),
 (87,  'htc',       'flyer',                'Flyer',              'tablet',   'HTC',        'mp4:wsvga', NULL),
 (88,  'htc',       'explorer',             'Explorer',           'phone',    'HTC',        'mp4:hvga',  NULL),
 (89,  'htc',       'mini',                 'HD mini',            'phone',    'HTC',        'mp4:qvga',  NULL),
 (90,  'htc',       'smart',                'Smart',              'phone',    'HTC',        'mp4:qvga',  NULL),
 (91,  'sony',      'xperia-z1',            'Xperia Z1',          'phone',    'Sony',       'mp4:1080p', 'mp4:720p'),
 (92,  'sony',      'xperia-z',             'Xperia Z',           'phone',    'Sony',       'mp4:1080p', 'mp4:720p'),
 (93,  'sony',      'xperia-s',             'Xperia S',           'phone',    'Sony',       'mp4:720p',  NULL),
 (94,  'sony',      'xperia-u',             'Xperia U',           'phone',    'Sony',       'mp4:qhdw',  NULL),
 (95,  'sony',      'ericsson-xperia-play', 'Xperia PLAY',        'phone',    'Sony',       'mp4:wvga',  NULL),
 (96,  'sony',      'ps3',                  'PlayStation 3',      'console',  'Sony',       'mp4:1080p', 'mp4:720p'),
 (97,  'sony',      'psp',                  'PSP',                'handheld', 'Sony',       'psp:',      NULL),
 (98,  'microsoft', 'xbox360',              'Xbox 360',           'console',  'Microsoft',  'mp4:1080p', 'mp4:720p'),
 (99,  'microsoft', 'zune',                 'Zune',               'player',   'Microsoft',  'mp4:qvga',  NULL),
 (100, 'nintendo',  '3ds',                  '3DS',                'handheld', 'Nintendo',   'mp4:3ds',   NULL),
 (101, 'amazon',    'kindle-fire-hd',       'Kindle Fire HD',     'tablet',   'Amazon',     'mp4:720p',  NULL),
 (102, 'amazon',    'kindle-fire',          'Kindle Fire',        'ereader',  'Amazon',     'mp4:wsvga', NULL),
 (103, 'motorola',  'moto-g',               'Moto G',             'phone',    'Motorola',   'mp4:720p',  NULL),
 (104, 'motorola',  'droid-razr',           'Droid RAZR',         'phone',    'Motorola',   'mp4:qhdw',  NULL),
 (105, 'motorola',  'razr-i',               'RAZR i',             'phone',    'Motorola',   'mp4:qhdw',  NULL),
 (106, 'motorola',  'droid-4',              'Droid 4',            'phone',    'Motorola',   'mp4:qhdw',  NULL),
 (107, 'motorola',  'droid-bionic',         'Droid Bionic',       'phone',    'Motorola',   'mp4:qhdw',  NULL),
 (108, 'motorola',  'photon-4g',            'Photon 4G',          'phone',    'Motorola',   'mp4:qhdw',  NULL),
 (109, 'motorola',  'droid-x',              'Droid X',            'phone',    'Motorola',   'mp4:wvga',  NULL),
 (110, 'motorola',  'defy',                 'Defy',               'phone',    'Motorola',   'mp4:wvga',  NULL),
 (111, 'motorola',  'milestone-xt720',      'Milestone XT720',    'phone',    'Motorola',   'mp4:wvga',  NULL),
 (112, 'motorola',  'droid-pro',            'Droid Pro',          'phone',    'Motorola',   'mp4:hvga',  NULL),
 (113, 'nokia',     'lumia-1520',           'Lumia 1520',         'phone',    'Nokia',      'mp4:1080p', 'mp4:720p'),
 (114, 'nokia',     'lumia-720',            'Lumia 720',          'phone',    'Nokia',      'mp4:wvga',  NULL),
 (115, 'nokia',     'lumia900',             'Lumia 900',          'phone',    'Nokia',      'mp4:wvga',  NULL),
 (116, 'nokia',     'lumia800',             'Lumia 800',          'phone',    'Nokia',      'mp4:wvga',  NULL),
 (117, 'nokia',     'lumia710',             'Lumia 710',          'phone',    'Nokia',      'mp4:wvga',  NULL),
 (118, 'nokia',     '808-pureview',         '808 PureView',       'phone',    'Nokia',      'mp4:wvga',  NULL),
 (119, 'nokia',     'n8',                   'N8',                 'phone',    'Nokia',      'mp4:wvga',  NULL),
 (120, 'nokia',     'n900',                 'N900',               'phone',    'Nokia',      'mp4:wvga',  NULL),
 (121, 'nokia',     'c7-00',                'C7-00',              'phone',    'Nokia',      'mp4:wvga',  NULL),
 (122, 'nokia',     'astound',              'Astound',            'phone',    'Nokia',      'mp4:wvga',  NULL),
 (123, 'nokia',     '5800-xpressmusic',     '5800 XpressMusic',   'phone',    'Nokia',      'mp4:qvga',  NULL),
 (124, 'nokia',     '5230',                 '5230',               'phone',    'Nokia',      'mp4:qvga',  NULL),
 (125, 'nokia',     '5250',                 '5250',               'phone',    'Nokia',      'mp4:qvga',  NULL),
 (126, 'nokia',     'x6',                   'X6',                 'phone',    'Nokia',      'mp4:qvga',  NULL),
 (127, 'nokia',     'asha-311',             'Asha 311',           'phone',    'Nokia',      'mp4:qvga',  NULL),
 (128, 'blackberry', 'torch-9860',          'Torch 9860',         'phone',    'BlackBerry', 'mp4:wvga',  NULL),
 (129, 'blackberry', 'torch-9850',          'Torch 9850',         'phone',    'BlackBerry', 'mp4:wvga',  NULL),
 (130, 'blackberry', 'torch-9810',          'Torch 9810',         'phone',    'BlackBerry', 'mp4:vga',   NULL),
 (131, 'blackberry', 'bold-9930',           'Bold 9930',          'phone',    'BlackBerry', 'mp4:vga',   NULL),
 (132, 'blackberry', 'bold-9900',           'Bold 9900',          'phone',    'BlackBerry', 'mp4:vga',   NULL),
 (133, 'blackberry', 'bold-9780',           'Bold 9780',          'phone',    'BlackBerry', 'mp4:hvga',  NULL),
 (134, 'blackberry', 'bold-9700',           'Bold 9700',          'phone',    'BlackBerry', 'mp4:hvga',  NULL),
 (135, 'blackberry', 'bold-9650',           'Bold 9650',          'phone',    'BlackBerry', 'mp4:hvga',  NULL),
 (136, 'blackberry', 'bold-9000',           'Bold 9000',          'phone',    'BlackBerry', 'mp4:hvga',  NULL),
 (137, 'blackberry', 'curve-9370',          'Curve 9370',         'phone',    'BlackBerry', 'mp4:hvga',  NULL),
 (138, 'blackberry', 'curve-9360',          'Curve 9360',         'phone',    'BlackBerry', 'mp4:hvga',  NULL),
 (139, 'blackberry', 'curve-9350',          'Curve 9350',         'phone',    'BlackBerry', 'mp4:hvga',  NULL),
 (140, 'blackberry', 'curve-9330',          'Curve 9330',         'phone',    'BlackBerry', 'mp4:qvga',  NULL),
 (141, 'blackberry', 'curve-9300',          'Curve 9300',         'phone',    'BlackBerry', 'mp4:qvga',  NULL),
 (142, 'blackberry', 'curve-8530i',         'Curve 8530i',        'phone',    'BlackBerry', 'mp4:qvga',  NULL),
 (143, 'blackberry', 'curve-8530',          'Curve 8530',         'phone',    'BlackBerry', 'mp4:qvga',  NULL),
 (144, 'blackberry', 'storm-9530',          'Storm 9530',         'phone',    'BlackBerry', 'mp4:hvga',  NULL),
 (145, 'blackberry', 'style',               'Style',              'phone',    'BlackBerry', 'mp4:qvga',  NULL),
 (146, 'archos',    '101',                  'Archos 101',         'tablet',   'Archos',     'mp4:wsvga', NULL),
 (147, 'archos',    '5g',                   'Archos 5',           'player',   'Archos',     'mp4:wvga',  NULL),
 (148, 'casio',     'gzone-commando',       'G''zOne Commando',   'phone',    'Casio',      'mp4:wvga',  NULL),
 (149, 'creative',  'zen-x-fi',             'ZEN X-Fi',           'player',   'Creative',   'mp4:qvga',  NULL),
 (150, 'iriver',    'e150',                 'E150',               'player',   'iriver',     'mp4:qvga',  NULL),
 (151, 'iriver',    's100',                 'S100',               'player',   'iriver',     'mp4:qvga',  NULL),
 (152, 'palm',      'pre-2',                'Pre 2',              'phone',    'Palm',       'mp4:hvga',  NULL);

-- Devices take ids from 100 up, after the formats.
INSERT INTO tbl_FormatCategories (id, label, device, icon, default_pos, look)
SELECT 99 + pos, label, 1, 'images/icons/' || maker || '-' || model || '.png', pos, kind || ':' || maker_name
FROM device ORDER BY pos;

CREATE TEMP VIEW device_preset AS
SELECT 99 + d.pos AS format, 1 AS pos, substr(d.preset1, 1, instr(d.preset1, ':') - 1) AS template,
       substr(d.preset1, instr(d.preset1, ':') + 1) AS quality FROM device d
UNION ALL
SELECT 99 + d.pos, 2, substr(d.preset2, 1, instr(d.preset2, ':') - 1), substr(d.preset2, instr(d.preset2, ':') + 1)
FROM device d WHERE d.preset2 IS NOT NULL;

-- A device's presets are the MP4 (format 1) or HEVC (format 23) template at the device's quality.
INSERT INTO tbl_OutputCategories (label, format, icon, extension, default_pos, description, ffmpeg_args)
SELECT CASE WHEN p.template = 'hevc' THEN 'HEVC ' || f.label ELSE f.label END,
       p.format, 'images/icons/' || f.family || '-' || f.quality_icon || '.png', f.ext, p.pos,
       f.size || ', ' || f.description, f.args
FROM device_preset p
JOIN filled f ON f.quality = p.quality AND f.format = CASE p.template WHEN 'hevc' THEN 23 ELSE 1 END
WHERE p.template IN ('mp4', 'hevc')
ORDER BY p.format, p.pos;

-- The PSP plays only its own flavour of MPEG-4 file.
INSERT INTO tbl_OutputCategories (label, format, icon, extension, default_pos, description, ffmpeg_args)
SELECT 'PSP', p.format, 'images/icons/mp4-low.png', 'mp4', p.pos, '480x272, H.264 and AAC for the PSP',
       '-s 480x272 -c:v libx264 -preset fast -crf 23 -profile:v main -level:v 3.0 -maxrate 768k -bufsize 2M -pix_fmt yuv420p -c:a aac -b:a 128k -ac 2 -ar 48000 -sn -f psp'
FROM device_preset p WHERE p.template = 'psp';

-- ---- fitting a size ---------------------------------------------------------------------------
-- For where a size limit rules (chat services, e-mail, forums): the size in MB, the picture and
-- the sound planned from each source when it is converted. Third among the formats, after MP4 and
-- MP3, where those who need it look first.
UPDATE tbl_FormatCategories SET default_pos = default_pos + 1 WHERE device = 0 AND default_pos >= 3;
INSERT INTO tbl_FormatCategories (id, label, device, icon, default_pos, look) VALUES
 (26, 'Fit to size', 0, 'images/icons/fit.png', 3, 'fit:FIT');
INSERT INTO tbl_OutputCategories (label, format, icon, extension, default_pos, description, ffmpeg_args)
SELECT mb || ' MB', 26, 'images/icons/fit-' || mb || 'mb.png', 'mp4', pos,
       'At most ' || mb || ' MB (' || mb || ',000,000 bytes), H.264 and AAC in two passes',
       '-fit-size ' || mb || ' -c:v libx264 -preset fast -profile:v high -pix_fmt yuv420p -c:a aac -sn -movflags +faststart'
FROM (SELECT 8 AS mb, 1 AS pos UNION ALL SELECT 10, 2 UNION ALL SELECT 25, 3 UNION ALL SELECT 50, 4
      UNION ALL SELECT 100, 5)
ORDER BY pos;
