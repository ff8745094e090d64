<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>AddTab</name>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Select type</source>
        <translation>Typ wählen</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>You must have items in the Media List to proceed!</source>
        <translation>Um fortzufahren, muss die Medienliste Einträge enthalten!</translation>
    </message>
</context>
<context>
    <name>BatchConversion</name>
    <message>
        <source>is a folder</source>
        <translation>ist ein Ordner</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>not a plain file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>keine Berechtigung</translation>
    </message>
    <message>
        <source>cannot write to standard output: %1</source>
        <translation>die Standardausgabe kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Device or format</source>
        <translation>Gerät oder Format</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Voreinstellung</translation>
    </message>
    <message>
        <source>Ext</source>
        <translation>Endung</translation>
    </message>
    <message>
        <source>Cannot read %1: %2.</source>
        <translation>%1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Unknown preset id %1 (halvorn --list-presets lists them).</source>
        <translation>Unbekannte Voreinstellung %1 (halvorn --list-presets listet alle auf).</translation>
    </message>
    <message>
        <source>Cannot write into the folder %1.</source>
        <translation>In den Ordner %1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>FFmpeg could not be located or is not responding. Please try re-installing Halvorn.</source>
        <translation>FFmpeg wurde nicht gefunden oder antwortet nicht. Bitte installieren Sie Halvorn neu.</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed</source>
        <translation>%1 umgewandelt, %2 fehlgeschlagen</translation>
    </message>
    <message>
        <source>, interrupted</source>
        <translation>, abgebrochen</translation>
    </message>
    <message>
        <source>failed: FFmpeg is unable to extract any valid video or audio stream from the input file %1.</source>
        <translation>fehlgeschlagen: FFmpeg findet in der Eingabedatei %1 keinen gültigen Video- oder Audiostrom.</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>noch %1</translation>
    </message>
    <message>
        <source>Try &apos;halvorn --help&apos; for more information.</source>
        <translation>Mehr dazu mit „halvorn --help“.</translation>
    </message>
    <message>
        <source>Preset %1 cannot take --fit-size: %2.</source>
        <translation>Voreinstellung %1 verträgt kein --fit-size: %2.</translation>
    </message>
</context>
<context>
    <name>BurnDisc</name>
    <message>
        <source>The burn could not start: the one before it has not ended.</source>
        <translation>Das Brennen konnte nicht beginnen: Der vorige Brennvorgang ist noch nicht beendet.</translation>
    </message>
    <message>
        <source>The burn could not start: another one is waiting to.</source>
        <translation>Das Brennen konnte nicht beginnen: Ein anderer Brennvorgang wartet bereits.</translation>
    </message>
    <message>
        <source>Image complete</source>
        <translation>Abbild fertig</translation>
    </message>
    <message>
        <source>Image failed</source>
        <translation>Abbild fehlgeschlagen</translation>
    </message>
    <message>
        <source>Image Complete</source>
        <translation>Abbild fertig</translation>
    </message>
    <message>
        <source>Image Failed</source>
        <translation>Abbildfehler</translation>
    </message>
    <message>
        <source>Burn complete</source>
        <translation>Brennen fertig</translation>
    </message>
    <message>
        <source>Burn failed</source>
        <translation>Brennen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Burn Complete</source>
        <translation>Brennen fertig</translation>
    </message>
    <message>
        <source>Burn Failed</source>
        <translation>Brennfehler</translation>
    </message>
    <message>
        <source>Burning DVD...</source>
        <translation>Brennt DVD …</translation>
    </message>
    <message>
        <source>The DVD burning tool could not be started.</source>
        <translation>Das Programm zum Brennen der DVD konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Calculating time remaining...</source>
        <translation>Restzeit wird berechnet …</translation>
    </message>
    <message>
        <source>Closing disc...</source>
        <translation>Disc wird abgeschlossen …</translation>
    </message>
    <message>
        <source>The burn was stopped.</source>
        <translation>Das Brennen wurde abgebrochen.</translation>
    </message>
    <message numerus="yes">
        <source>The disc could not be burned: the burning tool failed %n times.</source>
        <translation>
            <numerusform>Die Disc konnte nicht gebrannt werden: Das Brennprogramm ist %n-mal gescheitert.</numerusform>
            <numerusform>Die Disc konnte nicht gebrannt werden: Das Brennprogramm ist %n-mal gescheitert.</numerusform>
        </translation>
    </message>
    <message>
        <source>Authoring DVD...</source>
        <translation>Erstellt DVD …</translation>
    </message>
    <message>
        <source>The DVD authoring tool could not be started.</source>
        <translation>Das Programm zum Erstellen der DVD konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The DVD could not be authored from the converted files.</source>
        <translation>Aus den umgewandelten Dateien konnte keine DVD erstellt werden.</translation>
    </message>
    <message>
        <source>Writing Disc Image...</source>
        <translation>Schreibt Abbild …</translation>
    </message>
    <message>
        <source>The disc image tool could not be started.</source>
        <translation>Das Programm für Disc-Abbilder konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Finishing image...</source>
        <translation>Abbild wird fertiggestellt …</translation>
    </message>
    <message>
        <source>The disc image could not be written.</source>
        <translation>Das Disc-Abbild konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Burning Audio CD...</source>
        <translation>Brennt Audio-CD …</translation>
    </message>
    <message>
        <source>The CD burning tool could not be started.</source>
        <translation>Das Programm zum Brennen der CD konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Burning...</source>
        <translation>Brennen …</translation>
    </message>
    <message>
        <source>The disc could not be burned.</source>
        <translation>Die Disc konnte nicht gebrannt werden.</translation>
    </message>
    <message numerus="yes">
        <source>An audio CD holds from 1 to 99 tracks; this run made %n.</source>
        <translation>
            <numerusform>Eine Audio-CD fasst 1 bis 99 Titel; dieser Durchgang hat %n erzeugt.</numerusform>
            <numerusform>Eine Audio-CD fasst 1 bis 99 Titel; dieser Durchgang hat %n erzeugt.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 is not CD audio (16-bit stereo PCM at 44,100 Hz).</source>
        <translation>%1 ist kein CD-Audio (16-Bit-Stereo-PCM mit 44.100 Hz).</translation>
    </message>
    <message>
        <source>Writing...</source>
        <translation>Schreiben …</translation>
    </message>
    <message>
        <source>The disc image %1 could not be written.</source>
        <translation>Das Disc-Abbild %1 konnte nicht geschrieben werden.</translation>
    </message>
</context>
<context>
    <name>BurnText</name>
    <message>
        <source>The disc is not large enough.

A Single Layer disc can hold 2 hours of video
while a Dual Layer disc can hold 3.5 hours.</source>
        <translation>Die Disc ist nicht groß genug.

Eine Single-Layer-Disc fasst 2 Stunden Video,
eine Dual-Layer-Disc 3,5 Stunden.</translation>
    </message>
    <message>
        <source>Time remaining: %1:%2 (approx.)</source>
        <translation>Restzeit: %1:%2 (ca.)</translation>
    </message>
    <message>
        <source>Please insert a blank DVD into the selected drive</source>
        <translation>Bitte legen Sie eine leere DVD in das gewählte Laufwerk ein</translation>
    </message>
    <message>
        <source>The disc is not large enough.

An audio CD can hold 80 minutes.</source>
        <translation>Die Disc ist nicht groß genug.

Eine Audio-CD fasst 80 Minuten.</translation>
    </message>
    <message>
        <source>Could not check the disc in drive %1.</source>
        <translation>Die Disc im Laufwerk %1 konnte nicht geprüft werden.</translation>
    </message>
    <message>
        <source>The CD in drive %1 is not blank</source>
        <translation>Die CD im Laufwerk %1 ist nicht leer</translation>
    </message>
    <message>
        <source>The disc in drive %1 is not large enough.</source>
        <translation>Die Disc im Laufwerk %1 ist nicht groß genug.</translation>
    </message>
    <message>
        <source>There is no disc in drive %1.</source>
        <translation>Im Laufwerk %1 liegt keine Disc.</translation>
    </message>
    <message>
        <source>The disc in drive %1 is not a recordable CD.</source>
        <translation>Die Disc im Laufwerk %1 ist keine beschreibbare CD.</translation>
    </message>
    <message>
        <source>The disc-information tool could not be started.</source>
        <translation>Das Programm für Disc-Informationen konnte nicht gestartet werden.</translation>
    </message>
</context>
<context>
    <name>CAudioCD</name>
    <message>
        <source>The disk is full.</source>
        <translation>Der Datenträger ist voll.</translation>
    </message>
    <message>
        <source>There is no drive %1.</source>
        <translation>Es gibt kein Laufwerk %1.</translation>
    </message>
    <message>
        <source>There is no disc in %1.</source>
        <translation>In %1 liegt keine Disc.</translation>
    </message>
    <message>
        <source>The drive %1 is not ready; please try again in a moment.</source>
        <translation>Das Laufwerk %1 ist nicht bereit; bitte versuchen Sie es gleich noch einmal.</translation>
    </message>
    <message>
        <source>The disc in %1 cannot be read.</source>
        <translation>Die Disc in %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 is no CD drive.</source>
        <translation>%1 ist kein CD-Laufwerk.</translation>
    </message>
    <message>
        <source>You have no permission to read %1.</source>
        <translation>Sie haben keine Berechtigung, %1 zu lesen.</translation>
    </message>
    <message>
        <source>The disc in %1 holds no tracks.</source>
        <translation>Die Disc in %1 enthält keine Titel.</translation>
    </message>
</context>
<context>
    <name>CDRipThread</name>
    <message>
        <source>No CD drive holds an audio disc</source>
        <translation>In keinem CD-Laufwerk liegt eine Audio-CD</translation>
    </message>
    <message>
        <source>Cannot open CD drive %1</source>
        <translation>Das CD-Laufwerk %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Cannot lock CD drive %1</source>
        <translation>Das CD-Laufwerk %1 kann nicht gesperrt werden</translation>
    </message>
    <message>
        <source>Cannot create a folder for the tracks in %1</source>
        <translation>In %1 kann kein Ordner für die Titel angelegt werden</translation>
    </message>
    <message>
        <source>Cannot extract track %1. %2</source>
        <translation>Titel %1 kann nicht ausgelesen werden. %2</translation>
    </message>
    <message>
        <source>Cannot extract track %1</source>
        <translation>Titel %1 kann nicht ausgelesen werden</translation>
    </message>
    <message>
        <source>Cannot unlock CD drive %1</source>
        <translation>Das CD-Laufwerk %1 kann nicht entsperrt werden</translation>
    </message>
    <message>
        <source>Ripping was cancelled.</source>
        <translation>Das Auslesen wurde abgebrochen.</translation>
    </message>
</context>
<context>
    <name>Catalogue</name>
    <message>
        <source>Add Audio Files</source>
        <translation>Audiodateien hinzufügen</translation>
    </message>
    <message>
        <source>Add Video Files</source>
        <translation>Videodateien hinzufügen</translation>
    </message>
    <message>
        <source>Audio Files</source>
        <translation>Audiodateien</translation>
    </message>
    <message>
        <source>Video Files</source>
        <translation>Videodateien</translation>
    </message>
</context>
<context>
    <name>CheckBox</name>
    <message>
        <source>Output file to same folder as input</source>
        <translation>Ausgabe in den Ordner der Quelle</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>--preset needs the id of a preset (see --list-presets).</source>
        <translation>--preset braucht die ID einer Voreinstellung (siehe --list-presets).</translation>
    </message>
    <message>
        <source>--output needs a folder.</source>
        <translation>--output braucht einen Ordner.</translation>
    </message>
    <message>
        <source>--jobs needs a number of files to convert at once, 1 or more.</source>
        <translation>--jobs braucht die Zahl der gleichzeitig umzuwandelnden Dateien, 1 oder mehr.</translation>
    </message>
    <message>
        <source>Unknown option: %1</source>
        <translation>Unbekannte Option: %1</translation>
    </message>
    <message>
        <source>--list-presets takes no preset and no files.</source>
        <translation>--list-presets nimmt keine Voreinstellung und keine Dateien.</translation>
    </message>
    <message>
        <source>No files to convert.</source>
        <translation>Keine Dateien zum Umwandeln.</translation>
    </message>
    <message>
        <source>--fit-size needs a size in MB above 0, such as 8 or 7.5.</source>
        <translation>--fit-size braucht eine Größe in MB über 0, etwa 8 oder 7.5.</translation>
    </message>
    <message>
        <source>%1 goes with --preset or --fit-size.</source>
        <translation>%1 gehört zu --preset oder --fit-size.</translation>
    </message>
    <message>
        <source>Usage: halvorn [FILE...]
       halvorn --list-presets
       halvorn --preset ID [--fit-size MB] [-o DIR] [-j N] [-q] [--] FILE...
       halvorn --fit-size MB [-o DIR] [-j N] [-q] [--] FILE...

Without options, opens the window and queues the files.

  --list-presets      print every device and format with its presets (id, label, extension)
  --preset ID         convert every FILE with this preset, without a window
  --fit-size MB       make every output at most MB megabytes (of 1,000,000 bytes): H.264 in
                      two passes, picture and sound planned from each FILE; alone, with the
                      Fit to size format; with --preset, instead of the size of a Fit to size
                      preset, or within the frame and container of an H.264 preset
  -o, --output DIR    write the converted files into DIR (default: beside each source)
  -j, --jobs N        convert N files at once (default: one per processor, here %1,
                      and a file whose picture is encoded alone)
  -q, --quiet         print only failures
  --                  the arguments that follow are files, even those that start with &quot;-&quot;
  -h, --help          print this help
  -v, --version       print the version

Exit status: 0 when every file was converted, 1 when one failed, 2 for a wrong command line,
130 after Ctrl+C, 143 after SIGTERM, 129 after SIGHUP.
</source>
        <translation>Aufruf: halvorn [DATEI...]
        halvorn --list-presets
        halvorn --preset ID [--fit-size MB] [-o ORDNER] [-j N] [-q] [--] DATEI...
        halvorn --fit-size MB [-o ORDNER] [-j N] [-q] [--] DATEI...

Ohne Optionen öffnet sich das Fenster, und die Dateien kommen in die Liste.

  --list-presets      alle Geräte und Formate mit ihren Voreinstellungen ausgeben (ID, Name, Endung)
  --preset ID         jede DATEI mit dieser Voreinstellung umwandeln, ohne Fenster
  --fit-size MB       jede Ausgabe höchstens MB Megabyte (zu 1.000.000 Bytes) groß machen: H.264 in
                      zwei Durchgängen, Bild und Ton aus jeder DATEI geplant; allein mit dem Format
                      „Fit to size“; mit --preset statt der Größe einer „Fit to size“-Voreinstellung
                      oder im Bildformat und Container einer H.264-Voreinstellung
  -o, --output ORDNER die umgewandelten Dateien in ORDNER schreiben (Vorgabe: neben die Quelle)
  -j, --jobs N        N Dateien gleichzeitig umwandeln (Vorgabe: eine je Prozessor, hier %1,
                      und eine Datei, deren Bild kodiert wird, allein)
  -q, --quiet         nur Fehlschläge ausgeben
  --                  die folgenden Argumente sind Dateien, auch wenn sie mit „-“ beginnen
  -h, --help          diese Hilfe ausgeben
  -v, --version       die Version ausgeben

Rückgabewert: 0, wenn jede Datei umgewandelt wurde, 1, wenn eine fehlschlug, 2 bei einer falschen
Befehlszeile, 130 nach Strg+C, 143 nach SIGTERM, 129 nach SIGHUP.
</translation>
    </message>
</context>
<context>
    <name>ConversionThread</name>
    <message>
        <source>The output folder no longer exists</source>
        <translation>Den Ausgabeordner gibt es nicht mehr</translation>
    </message>
    <message>
        <source>The output folder cannot be written to: %1</source>
        <translation>In den Ausgabeordner kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>FFmpeg could not be located. Please try re-installing Halvorn.</source>
        <translation>FFmpeg wurde nicht gefunden. Bitte installieren Sie Halvorn neu.</translation>
    </message>
    <message>
        <source>FFmpeg could not be started: %1</source>
        <translation>FFmpeg konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>FFmpeg stopped unexpectedly.</source>
        <translation>FFmpeg wurde unerwartet beendet.</translation>
    </message>
    <message>
        <source>FFmpeg failed with exit code %1.</source>
        <translation>FFmpeg ist mit dem Rückgabewert %1 gescheitert.</translation>
    </message>
    <message>
        <source>The output could not be given its name: %1</source>
        <translation>Die Ausgabe konnte ihren Namen nicht erhalten: %1</translation>
    </message>
    <message>
        <source>The temporary folder cannot be written to: %1</source>
        <translation>In den temporären Ordner kann nicht geschrieben werden: %1</translation>
    </message>
</context>
<context>
    <name>ConvertTab</name>
    <message>
        <source>Convert</source>
        <translation>Umwandeln</translation>
    </message>
    <message>
        <source>%1 converted, %2 failed</source>
        <translation>%1 umgewandelt, %2 fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 converted</source>
        <translation>%1 umgewandelt</translation>
    </message>
    <message>
        <source>Burned onto a disc</source>
        <translation>Auf eine Disc gebrannt</translation>
    </message>
    <message>
        <source>Saved as %1</source>
        <translation>Gespeichert als %1</translation>
    </message>
    <message>
        <source>Saved in %1</source>
        <translation>Gespeichert in %1</translation>
    </message>
    <message>
        <source>beside each source</source>
        <translation>neben der jeweiligen Quelle</translation>
    </message>
    <message>
        <source>in a new album folder in %1</source>
        <translation>in einem neuen Albumordner in %1</translation>
    </message>
    <message>
        <source>in %1</source>
        <translation>in %1</translation>
    </message>
    <message>
        <source>files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>CD tracks</source>
        <translation>CD-Titel</translation>
    </message>
    <message>
        <source>DVD titles</source>
        <translation>DVD-Titel</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>Gespeichert %1</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Saved: %1</source>
        <translation>Gespeichert: %1</translation>
    </message>
    <message>
        <source>The disc is being burned and cannot be stopped. Please wait for the burn to finish.</source>
        <translation>Die Disc wird gerade gebrannt und kann nicht angehalten werden. Bitte warten Sie, bis das Brennen fertig ist.</translation>
    </message>
    <message>
        <source>Are you sure you want to cancel the current conversion?</source>
        <translation>Möchten Sie die laufende Umwandlung wirklich abbrechen?</translation>
    </message>
    <message>
        <source>Cancelled after %1</source>
        <translation>Abgebrochen, bisher %1</translation>
    </message>
    <message>
        <source>Overall progress</source>
        <translation>Gesamtfortschritt</translation>
    </message>
    <message>
        <source> (edited)</source>
        <translation> (bearbeitet)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Clear Completed</source>
        <translation>Fertige entfernen</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>DVDRipThread</name>
    <message>
        <source>No rip folder could be made in %1.</source>
        <translation>In %1 konnte kein Ordner zum Auslesen angelegt werden.</translation>
    </message>
    <message>
        <source>Title %1 could not be ripped: %2</source>
        <translation>Titel %1 konnte nicht ausgelesen werden: %2</translation>
    </message>
    <message>
        <source>Rip was cancelled!</source>
        <translation>Das Auslesen wurde abgebrochen!</translation>
    </message>
    <message>
        <source>the DVD title tool tarvik could not be found. Please try re-installing Halvorn.</source>
        <translation>das DVD-Titelprogramm tarvik wurde nicht gefunden. Bitte installieren Sie Halvorn neu.</translation>
    </message>
    <message>
        <source>the DVD title tool could not be started: %1</source>
        <translation>das DVD-Titelprogramm konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>the DVD title tool failed with exit code %1.</source>
        <translation>das DVD-Titelprogramm ist mit dem Rückgabewert %1 gescheitert.</translation>
    </message>
    <message>
        <source>the DVD title tool wrote nothing to %1.</source>
        <translation>das DVD-Titelprogramm hat nichts nach %1 geschrieben.</translation>
    </message>
</context>
<context>
    <name>DiscImage</name>
    <message>
        <source>line %1: </source>
        <translation>Zeile %1: </translation>
    </message>
    <message>
        <source>FILE needs a name and a type</source>
        <translation>FILE braucht einen Namen und einen Typ</translation>
    </message>
    <message>
        <source>files of type %1 cannot be read</source>
        <translation>Dateien vom Typ %1 können nicht gelesen werden</translation>
    </message>
    <message>
        <source>track %1 has no INDEX 01</source>
        <translation>Titel %1 hat kein INDEX 01</translation>
    </message>
    <message>
        <source>a TRACK line that names no track of a disc</source>
        <translation>eine TRACK-Zeile, die keinen Titel einer Disc nennt</translation>
    </message>
    <message>
        <source>%1 without a track or a time</source>
        <translation>%1 ohne Titel oder Zeit</translation>
    </message>
    <message>
        <source>no tracks</source>
        <translation>keine Titel</translation>
    </message>
    <message>
        <source>The CUE sheet %1 cannot be read.</source>
        <translation>Die CUE-Datei %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%1 is no CUE sheet of a CD: it holds %2 KB, and no sheet holds more than %3 KB.</source>
        <translation>%1 ist keine CUE-Datei einer CD: Sie ist %2 KB groß, und keine ist größer als %3 KB.</translation>
    </message>
    <message>
        <source>%1 cannot be read as a disc image: %2</source>
        <translation>%1 kann nicht als Disc-Abbild gelesen werden: %2</translation>
    </message>
    <message>
        <source>the file %1 cannot be read</source>
        <translation>die Datei %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>%1 is no 44100 Hz 16-bit stereo PCM WAVE file</source>
        <translation>%1 ist keine WAVE-Datei mit 16-Bit-Stereo-PCM bei 44100 Hz</translation>
    </message>
    <message>
        <source>%1 holds less than one sector</source>
        <translation>%1 enthält weniger als einen Sektor</translation>
    </message>
    <message>
        <source>%1 holds more than a CD can</source>
        <translation>%1 enthält mehr, als auf eine CD passt</translation>
    </message>
    <message>
        <source>%1 mixes sector sizes</source>
        <translation>%1 mischt Sektorgrößen</translation>
    </message>
    <message>
        <source>track %1 does not start inside %2 after the one before</source>
        <translation>Titel %1 beginnt nicht innerhalb von %2 nach dem vorigen</translation>
    </message>
    <message>
        <source>it describes %1 minutes, more than the 100 minutes a CD can hold</source>
        <translation>sie beschreibt %1 Minuten, mehr als die 100 Minuten, die eine CD fasst</translation>
    </message>
</context>
<context>
    <name>DroppableWidget</name>
    <message>
        <source>CDA File Detected</source>
        <translation>CDA-Datei erkannt</translation>
    </message>
    <message>
        <source>Audio CD Tracks cannot be dragged in.

Please use the CD button in the Add tab.</source>
        <translation>Titel einer Audio-CD lassen sich nicht hineinziehen.

Bitte nutzen Sie den CD-Knopf auf der Seite „Hinzufügen“.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>DvdText</name>
    <message>
        <source>The disc&apos;s title information is damaged</source>
        <translation>Die Titelinformationen der Disc sind beschädigt</translation>
    </message>
</context>
<context>
    <name>FfmpegText</name>
    <message>
        <source>The disk is full</source>
        <translation>Der Datenträger ist voll</translation>
    </message>
    <message>
        <source>The output folder is on a disk that cannot be written to</source>
        <translation>Der Ausgabeordner liegt auf einem Datenträger, der nicht beschrieben werden kann</translation>
    </message>
    <message>
        <source>Halvorn has no permission to read the source or to write to the output folder</source>
        <translation>Halvorn hat keine Berechtigung, die Quelle zu lesen oder in den Ausgabeordner zu schreiben</translation>
    </message>
    <message>
        <source>The source or the output folder no longer exists</source>
        <translation>Die Quelle oder den Ausgabeordner gibt es nicht mehr</translation>
    </message>
    <message>
        <source>This FFmpeg cannot write the format that the preset asks for</source>
        <translation>Dieses FFmpeg kann das Format der Voreinstellung nicht schreiben</translation>
    </message>
    <message>
        <source>This FFmpeg does not understand an option of the preset</source>
        <translation>Dieses FFmpeg versteht eine Option der Voreinstellung nicht</translation>
    </message>
    <message>
        <source>%1. FFmpeg said: %2</source>
        <translation>%1. FFmpeg meldete: %2</translation>
    </message>
</context>
<context>
    <name>FitSize</name>
    <message>
        <source>%1 is too small for this source: even as mono sound it holds only %2, and the source lasts %3</source>
        <translation>%1 ist zu klein für diese Quelle: Selbst als Mono-Ton fasst es nur %2, und die Quelle dauert %3</translation>
    </message>
    <message>
        <source>%1 is too small for this source: even with the smallest picture (%2) it holds only %3, and the source lasts %4</source>
        <translation>%1 ist zu klein für diese Quelle: Selbst mit dem kleinsten Bild (%2) fasst es nur %3, und die Quelle dauert %4</translation>
    </message>
    <message>
        <source>%1 is too small for this source: even with the smallest picture (%2) and mono sound it holds only %3, and the source lasts %4</source>
        <translation>%1 ist zu klein für diese Quelle: Selbst mit dem kleinsten Bild (%2) und Mono-Ton fasst es nur %3, und die Quelle dauert %4</translation>
    </message>
    <message>
        <source>The size to fit in must be a number of MB above 0, not &quot;%1&quot;</source>
        <translation>Die Zielgröße muss eine Zahl von MB über 0 sein, nicht „%1“</translation>
    </message>
    <message>
        <source>The source cannot be read. FFmpeg said: %1</source>
        <translation>Die Quelle kann nicht gelesen werden. FFmpeg meldete: %1</translation>
    </message>
    <message>
        <source>The source&apos;s length is unknown, so no size can be planned for it</source>
        <translation>Die Länge der Quelle ist unbekannt, daher lässt sich keine Größe für sie planen</translation>
    </message>
    <message>
        <source>The source&apos;s picture size is unknown, so no size can be planned for it</source>
        <translation>Die Bildgröße der Quelle ist unbekannt, daher lässt sich keine Größe für sie planen</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>only presets that encode H.264 pictures (libx264) can be fitted to a size</source>
        <translation>nur Voreinstellungen, die H.264-Bilder kodieren (libx264), lassen sich auf eine Größe bringen</translation>
    </message>
</context>
<context>
    <name>FormatTab</name>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>%1 Quality</source>
        <translation>%1-Qualität</translation>
    </message>
    <message>
        <source>Devices</source>
        <translation>Geräte</translation>
    </message>
    <message>
        <source>Formats</source>
        <translation>Formate</translation>
    </message>
    <message>
        <source>Presets</source>
        <translation>Voreinstellungen</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>FFmpeg Arguments:</source>
        <translation>FFmpeg-Argumente:</translation>
    </message>
    <message>
        <source>FFmpeg Arguments</source>
        <translation>FFmpeg-Argumente</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>Ausgabeordner:</translation>
    </message>
    <message>
        <source>Output Folder</source>
        <translation>Ausgabeordner</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>You must select an output device or format to proceed!</source>
        <translation>Um fortzufahren, wählen Sie ein Ausgabegerät oder -format!</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>Size in MB:</source>
        <translation>Größe in MB:</translation>
    </message>
    <message>
        <source>Size in MB</source>
        <translation>Größe in MB</translation>
    </message>
</context>
<context>
    <name>ImageFile</name>
    <message>
        <source>The disc image %1 could not be made: %2</source>
        <translation>Das Disc-Abbild %1 konnte nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>The disc image %1 could not be made: no working name is free beside it.</source>
        <translation>Das Disc-Abbild %1 konnte nicht angelegt werden: Daneben ist kein Arbeitsname frei.</translation>
    </message>
    <message>
        <source>The file %1 already exists; it was left as it is.</source>
        <translation>Die Datei %1 gibt es schon; sie wurde nicht verändert.</translation>
    </message>
    <message>
        <source>The disc image %1 could not be given its name.</source>
        <translation>Das Disc-Abbild %1 konnte seinen Namen nicht erhalten.</translation>
    </message>
</context>
<context>
    <name>InputTypes</name>
    <message>
        <source>1 file was not added: %1 is not an audio or video file</source>
        <translation>1 Datei wurde nicht hinzugefügt: %1 ist keine Audio- oder Videodatei</translation>
    </message>
    <message numerus="yes">
        <source>%n files were not added: %1 are not audio or video files</source>
        <translation>
            <numerusform>%n Datei wurde nicht hinzugefügt: %1 ist keine Audio- oder Videodatei</numerusform>
            <numerusform>%n Dateien wurden nicht hinzugefügt: %1 sind keine Audio- oder Videodateien</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Add Audio File</source>
        <translation>Audiodatei hinzufügen</translation>
    </message>
    <message>
        <source>Add Video File</source>
        <translation>Videodatei hinzufügen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über Halvorn</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Handbuch</translation>
    </message>
    <message>
        <source>Website</source>
        <translation>Website</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Report a Bug</source>
        <translation>Fehler melden</translation>
    </message>
    <message>
        <source>Halvorn v%1</source>
        <translation>Halvorn v%1</translation>
    </message>
    <message>
        <source>This software uses libraries from the FFmpeg project under the LGPLv2.1</source>
        <translation>Diese Software verwendet Bibliotheken des FFmpeg-Projekts unter der LGPLv2.1</translation>
    </message>
    <message>
        <source>The update check failed: the site&apos;s answer is too large to be a version number.</source>
        <translation>Die Suche nach Aktualisierungen ist fehlgeschlagen: Die Antwort der Website ist zu groß für eine Versionsnummer.</translation>
    </message>
    <message>
        <source>The update check timed out: the site did not answer within %1 seconds.</source>
        <translation>Die Suche nach Aktualisierungen hat zu lange gedauert: Die Website hat nicht innerhalb von %1 Sekunden geantwortet.</translation>
    </message>
    <message>
        <source>The update check failed: %1</source>
        <translation>Die Suche nach Aktualisierungen ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>The update check failed: the site did not answer with a version number.</source>
        <translation>Die Suche nach Aktualisierungen ist fehlgeschlagen: Die Website hat keine Versionsnummer geliefert.</translation>
    </message>
    <message>
        <source>New Update Available</source>
        <translation>Neue Version verfügbar</translation>
    </message>
    <message>
        <source>You have the most up to date version installed</source>
        <translation>Sie haben bereits die neueste Version installiert</translation>
    </message>
    <message>
        <source>Open Output Folder</source>
        <translation>Ausgabeordner wählen</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>FFMpeg could not be located or is not responding.

Please try re-installing Halvorn.</source>
        <translation>FFmpeg wurde nicht gefunden oder antwortet nicht.

Bitte installieren Sie Halvorn neu.</translation>
    </message>
    <message>
        <source>Conversions will be cancelled - are you sure you want to close?</source>
        <translation>Die Umwandlungen werden abgebrochen – möchten Sie Halvorn wirklich schließen?</translation>
    </message>
    <message>
        <source>A disc is being written - closing now will leave it unusable. Are you sure you want to close?</source>
        <translation>Gerade wird eine Disc geschrieben – wenn Sie jetzt schließen, wird sie unbrauchbar. Möchten Sie Halvorn wirklich schließen?</translation>
    </message>
    <message>
        <source>Confirmation Required</source>
        <translation>Bestätigung erforderlich</translation>
    </message>
    <message>
        <source>Conversion finished</source>
        <translation>Umwandlung fertig</translation>
    </message>
</context>
<context>
    <name>MediaList</name>
    <message>
        <source>Burning Phase</source>
        <translation>Brennphase</translation>
    </message>
    <message>
        <source>Waiting to burn...</source>
        <translation>Wartet aufs Brennen …</translation>
    </message>
    <message>
        <source>FFmpeg is unable to extract any valid video or audio stream from the input file %1.

This file has NOT been added to the Media List.</source>
        <translation>FFmpeg findet in der Eingabedatei %1 keinen gültigen Video- oder Audiostrom.

Diese Datei wurde NICHT in die Medienliste aufgenommen.</translation>
    </message>
    <message>
        <source>Are you sure you want to stop this conversion?</source>
        <translation>Möchten Sie diese Umwandlung wirklich anhalten?</translation>
    </message>
    <message>
        <source>Conversion already finished</source>
        <translation>Die Umwandlung ist bereits fertig</translation>
    </message>
    <message>
        <source>Media List</source>
        <translation>Medienliste</translation>
    </message>
</context>
<context>
    <name>MediaRow</name>
    <message>
        <source>loading</source>
        <translation>wird geladen</translation>
    </message>
    <message>
        <source>converted</source>
        <translation>umgewandelt</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>converting, %1 done</source>
        <translation>wird umgewandelt, %1 erledigt</translation>
    </message>
    <message>
        <source>waiting</source>
        <translation>wartet</translation>
    </message>
    <message>
        <source>Length %1, %2</source>
        <translation>Länge %1, %2</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Play Disc</source>
        <translation>Disc abspielen</translation>
    </message>
    <message>
        <source>Open Containing Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Duration: %1</source>
        <translation>Dauer: %1</translation>
    </message>
    <message>
        <source>Video Codec: %1</source>
        <translation>Videocodec: %1</translation>
    </message>
    <message>
        <source>Audio Codec: %1</source>
        <translation>Audiocodec: %1</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>no preview</source>
        <translation>keine Vorschau</translation>
    </message>
</context>
<context>
    <name>OutputCheck</name>
    <message>
        <source>The output file was removed during conversion</source>
        <translation>Die Ausgabedatei wurde während der Umwandlung entfernt</translation>
    </message>
    <message>
        <source>The output folder no longer exists</source>
        <translation>Den Ausgabeordner gibt es nicht mehr</translation>
    </message>
    <message>
        <source>The output cannot be read</source>
        <translation>Die Ausgabe kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>The output cannot be read. FFmpeg said: %1</source>
        <translation>Die Ausgabe kann nicht gelesen werden. FFmpeg meldete: %1</translation>
    </message>
    <message>
        <source>The output has no picture, although the source has one</source>
        <translation>Die Ausgabe hat kein Bild, obwohl die Quelle eines hat</translation>
    </message>
    <message>
        <source>The output has no sound, although the source has some</source>
        <translation>Die Ausgabe hat keinen Ton, obwohl die Quelle welchen hat</translation>
    </message>
    <message>
        <source>The output is shorter than the source (%1 of %2): the source may be damaged or changed during conversion</source>
        <translation>Die Ausgabe ist kürzer als die Quelle (%1 von %2): Die Quelle ist vielleicht beschädigt oder wurde während der Umwandlung verändert</translation>
    </message>
    <message>
        <source>The output takes %1, more than the %2 it must fit in</source>
        <translation>Die Ausgabe belegt %1, mehr als die %2, in die sie passen muss</translation>
    </message>
</context>
<context>
    <name>RipDialog</name>
    <message>
        <source>Select None</source>
        <translation>Keine auswählen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Select Drive</source>
        <translation>Laufwerk wählen</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Rip Progress</source>
        <translation>Fortschritt</translation>
    </message>
</context>
<context>
    <name>ScrollArrow</name>
    <message>
        <source>Scroll right</source>
        <translation>Nach rechts blättern</translation>
    </message>
    <message>
        <source>Scroll left</source>
        <translation>Nach links blättern</translation>
    </message>
</context>
<context>
    <name>SelectCD</name>
    <message>
        <source>Rip from CD</source>
        <translation>Von CD auslesen</translation>
    </message>
    <message>
        <source>Select Tracks</source>
        <translation>Titel wählen</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Looking for CD drives…</source>
        <translation>CD-Laufwerke werden gesucht …</translation>
    </message>
    <message>
        <source>No CD drive holds an audio disc</source>
        <translation>In keinem CD-Laufwerk liegt eine Audio-CD</translation>
    </message>
    <message>
        <source>Reading the disc…</source>
        <translation>Disc wird gelesen …</translation>
    </message>
    <message>
        <source>Track %1</source>
        <translation>Titel %1</translation>
    </message>
    <message>
        <source>%1 (data)</source>
        <translation>%1 (Daten)</translation>
    </message>
    <message>
        <source>Ripping track %1 of %2...</source>
        <translation>Titel %1 von %2 wird ausgelesen …</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
</context>
<context>
    <name>SelectDVD</name>
    <message>
        <source>Rip from DVD</source>
        <translation>Von DVD auslesen</translation>
    </message>
    <message>
        <source>Select Titles</source>
        <translation>Titel wählen</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>The DVD title tool tarvik could not be found. Please try re-installing Halvorn.</source>
        <translation>Das DVD-Titelprogramm tarvik wurde nicht gefunden. Bitte installieren Sie Halvorn neu.</translation>
    </message>
    <message>
        <source>The DVD title tool could not be started: %1</source>
        <translation>Das DVD-Titelprogramm konnte nicht gestartet werden: %1</translation>
    </message>
    <message>
        <source>The disc did not answer within 30 seconds.</source>
        <translation>Die Disc hat nicht innerhalb von 30 Sekunden geantwortet.</translation>
    </message>
    <message>
        <source>No titles were found on this disc.</source>
        <translation>Auf dieser Disc wurden keine Titel gefunden.</translation>
    </message>
    <message>
        <source>Looking for DVD drives…</source>
        <translation>DVD-Laufwerke werden gesucht …</translation>
    </message>
    <message>
        <source>No DVD drive holds a readable disc.</source>
        <translation>In keinem DVD-Laufwerk liegt eine lesbare Disc.</translation>
    </message>
    <message>
        <source>Reading the disc…</source>
        <translation>Disc wird gelesen …</translation>
    </message>
    <message>
        <source>Title %1</source>
        <translation>Titel %1</translation>
    </message>
    <message>
        <source>There is no disc to rip from.</source>
        <translation>Es gibt keine Disc zum Auslesen.</translation>
    </message>
    <message>
        <source>Please tick the titles to rip.</source>
        <translation>Bitte haken Sie die Titel zum Auslesen an.</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Ripping title %1 of %2</source>
        <translation>Titel %1 von %2 wird ausgelesen</translation>
    </message>
</context>
<context>
    <name>SelectDrive</name>
    <message>
        <source>Select Burn Drive</source>
        <translation>Brenner wählen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Select Drive</source>
        <translation>Laufwerk wählen</translation>
    </message>
    <message>
        <source>Disc image (.iso)</source>
        <translation>Disc-Abbild (.iso)</translation>
    </message>
    <message>
        <source>Disc image (.cue and .bin)</source>
        <translation>Disc-Abbild (.cue und .bin)</translation>
    </message>
    <message>
        <source>Looking for drives…</source>
        <translation>Laufwerke werden gesucht …</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Checking the disc…</source>
        <translation>Disc wird geprüft …</translation>
    </message>
    <message>
        <source>Save Disc Image</source>
        <translation>Disc-Abbild speichern</translation>
    </message>
    <message>
        <source>DVD-Video image (*.iso)</source>
        <translation>DVD-Video-Abbild (*.iso)</translation>
    </message>
    <message>
        <source>Audio CD image (*.cue)</source>
        <translation>Audio-CD-Abbild (*.cue)</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to.</source>
        <translation>In den Ordner %1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>A CUE sheet cannot name a file with a double quote in its name.</source>
        <translation>Eine CUE-Datei kann keine Datei mit einem doppelten Anführungszeichen im Namen nennen.</translation>
    </message>
    <message>
        <source>The file %1 already exists. Please choose another name.</source>
        <translation>Die Datei %1 gibt es schon. Bitte wählen Sie einen anderen Namen.</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>data.db not found. Please try re-installing!</source>
        <translation>data.db wurde nicht gefunden. Bitte installieren Sie Halvorn neu!</translation>
    </message>
    <message>
        <source>The catalogue data.db is damaged, so Halvorn cannot offer its devices and formats.</source>
        <translation>Der Katalog data.db ist beschädigt, daher kann Halvorn seine Geräte und Formate nicht anbieten.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>%1 Please try re-installing!</source>
        <translation>%1 Bitte installieren Sie Halvorn neu!</translation>
    </message>
    <message>
        <source>%1

Restore the catalogue that came with Halvorn? The damaged file is kept as %2.</source>
        <translation>%1

Den Katalog wiederherstellen, der mit Halvorn kam? Die beschädigte Datei bleibt als %2 erhalten.</translation>
    </message>
    <message>
        <source>Confirmation Required</source>
        <translation>Bestätigung erforderlich</translation>
    </message>
    <message>
        <source>The catalogue could not be restored.</source>
        <translation>Der Katalog konnte nicht wiederhergestellt werden.</translation>
    </message>
</context>
<context>
    <name>TimeLeft</name>
    <message>
        <source>About %1 s left</source>
        <translation>Noch etwa %1 s</translation>
    </message>
    <message>
        <source>About %1 min left</source>
        <translation>Noch etwa %1 min</translation>
    </message>
    <message>
        <source>About %1 min %2 s left</source>
        <translation>Noch etwa %1 min %2 s</translation>
    </message>
    <message>
        <source>About %1 h %2 min left</source>
        <translation>Noch etwa %1 h %2 min</translation>
    </message>
</context>
<context>
    <name>UpdateCheck</name>
    <message>
        <source>Version %1 is available for download!

New features:
%2
Would you like to download this now?</source>
        <translation>Version %1 steht zum Herunterladen bereit!

Neu darin:
%2
Möchten Sie sie jetzt herunterladen?</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>You must have items in the Media List to proceed!</source>
        <translation>Um fortzufahren, muss die Medienliste Einträge enthalten!</translation>
    </message>
    <message>
        <source>You must select an output device or format to proceed!</source>
        <translation>Um fortzufahren, wählen Sie ein Ausgabegerät oder -format!</translation>
    </message>
    <message>
        <source>Please wait for the current conversion to finish before adding more media.</source>
        <translation>Bitte warten Sie, bis die laufende Umwandlung fertig ist, bevor Sie weitere Medien hinzufügen.</translation>
    </message>
    <message>
        <source>You cannot change the output format mid-conversion!</source>
        <translation>Während einer Umwandlung lässt sich das Ausgabeformat nicht ändern!</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Minimize</source>
        <translation>Minimieren</translation>
    </message>
    <message>
        <source>Maximize</source>
        <translation>Maximieren</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Wiederherstellen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Fatal Error</source>
        <translation>Schwerer Fehler</translation>
    </message>
    <message>
        <source>Halvorn is already running but does not answer.</source>
        <translation>Halvorn läuft bereits, antwortet aber nicht.</translation>
    </message>
    <message>
        <source>Drop audio and video files here</source>
        <translation>Audio- und Videodateien hier ablegen</translation>
    </message>
    <message>
        <source>or choose them on the Add tab</source>
        <translation>oder auf der Seite „Hinzufügen“ wählen</translation>
    </message>
</context>
</TS>
