<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>AppcastUpdater</name>
    <message>
        <source>Tiklo could not reach the update server.</source>
        <translation>Tiklo konnte den Update-Server nicht erreichen.</translation>
    </message>
    <message>
        <source>The update server did not answer in time.</source>
        <translation>Der Update-Server hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>The update server answered with an error (HTTP %1).</source>
        <translation>Der Update-Server hat mit einem Fehler geantwortet (HTTP %1).</translation>
    </message>
    <message>
        <source>The update information from the server could not be read.</source>
        <translation>Die Update-Informationen des Servers ließen sich nicht lesen.</translation>
    </message>
</context>
<context>
    <name>BehaviorSettingsView</name>
    <message>
        <source>Behavior</source>
        <translation>Verhalten</translation>
    </message>
    <message>
        <source>picker shortcut, semicolon search and insertion style.</source>
        <translation>Tastenkürzel, Semikolon-Suche und Art des Einfügens.</translation>
    </message>
    <message>
        <source>Tiklo enabled</source>
        <translation>Tiklo aktiviert</translation>
    </message>
    <message>
        <source>Controls semicolon search and picker insertion.</source>
        <translation>Steuert die Semikolon-Suche und das Einfügen aus der Auswahl.</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message>
        <source>Start Tiklo automatically when you log in.</source>
        <translation>Tiklo beim Anmelden automatisch starten.</translation>
    </message>
    <message>
        <source>Picker shortcut</source>
        <translation>Tastenkürzel der Auswahl</translation>
    </message>
    <message>
        <source>Opens the floating emoji picker anywhere.</source>
        <translation>Öffnet die schwebende Emoji-Auswahl überall.</translation>
    </message>
    <message>
        <source>Typed trigger</source>
        <translation>Tipp-Auslöser</translation>
    </message>
    <message>
        <source>Type ; anywhere to open search, then use arrows and Return.</source>
        <translation>Tippe irgendwo ; für die Suche, dann Pfeiltasten und Eingabe.</translation>
    </message>
    <message>
        <source>Insert trailing space</source>
        <translation>Leerzeichen anhängen</translation>
    </message>
    <message>
        <source>Adds a space after emoji inserted from semicolon search and picker.</source>
        <translation>Setzt ein Leerzeichen nach Emojis aus der Semikolon-Suche und der Auswahl.</translation>
    </message>
    <message>
        <source>Picker style</source>
        <translation>Darstellung der Auswahl</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Raster</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Default skin tone</source>
        <translation>Standard-Hautfarbe</translation>
    </message>
</context>
<context>
    <name>ContentRow</name>
    <message>
        <source>No matches</source>
        <translation>Keine Treffer</translation>
    </message>
</context>
<context>
    <name>EmojiMiniGrid</name>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
</context>
<context>
    <name>EmojiRow</name>
    <message>
        <source>Remove Favorite</source>
        <translation>Aus Favoriten entfernen</translation>
    </message>
    <message>
        <source>Favorite</source>
        <translation>Zu Favoriten hinzufügen</translation>
    </message>
</context>
<context>
    <name>EmojiToneMenu</name>
    <message>
        <source>Skin Tone</source>
        <translation>Hautfarbe</translation>
    </message>
    <message>
        <source>Use Default Tone</source>
        <translation>Standard-Hautfarbe verwenden</translation>
    </message>
</context>
<context>
    <name>ExceptionsSettingsView</name>
    <message>
        <source>Exceptions</source>
        <translation>Ausnahmen</translation>
    </message>
    <message>
        <source>Disable semicolon search in apps where ; has a special meaning.</source>
        <translation>Semikolon-Suche in Apps abschalten, in denen ; eine besondere Bedeutung hat.</translation>
    </message>
    <message>
        <source>Application id</source>
        <translation>Programmkennung</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Current App</source>
        <translation>Aktuelle App</translation>
    </message>
    <message>
        <source>No excluded apps.</source>
        <translation>Keine ausgenommenen Apps.</translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>%1 entfernen</translation>
    </message>
</context>
<context>
    <name>HotkeyRecorderView</name>
    <message>
        <source>press keys...</source>
        <translation>Tasten drücken…</translation>
    </message>
</context>
<context>
    <name>InlineEmojiPickerView</name>
    <message>
        <source>Search emoji</source>
        <translation>Emojis suchen</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Keine Treffer</translation>
    </message>
    <message>
        <source>navigate</source>
        <translation>navigieren</translation>
    </message>
    <message>
        <source>insert</source>
        <translation>einfügen</translation>
    </message>
    <message>
        <source>dismiss</source>
        <translation>schließen</translation>
    </message>
    <message numerus="yes">
        <source>%n emoji</source>
        <translation>
            <numerusform>%n Emoji</numerusform>
            <numerusform>%n Emojis</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LibrarySettingsView</name>
    <message>
        <source>Library</source>
        <translation>Bibliothek</translation>
    </message>
    <message>
        <source>recents, favorites and the indexed emoji set.</source>
        <translation>Zuletzt verwendete, Favoriten und die indizierten Emojis.</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>No favorites yet.</source>
        <translation>Noch keine Favoriten.</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Zuletzt verwendet</translation>
    </message>
    <message>
        <source>Your picked emoji will appear here.</source>
        <translation>Deine gewählten Emojis erscheinen hier.</translation>
    </message>
    <message>
        <source>Usage ranking</source>
        <translation>Rangfolge nach Nutzung</translation>
    </message>
    <message numerus="yes">
        <source>%n emoji have learned counts. Frequently selected emoji move forward in close search matches.</source>
        <translation>
            <numerusform>%n Emoji hat einen gelernten Zähler. Häufig gewählte Emojis rücken bei ähnlichen Treffern nach vorn.</numerusform>
            <numerusform>%n Emojis haben gelernte Zähler. Häufig gewählte Emojis rücken bei ähnlichen Treffern nach vorn.</numerusform>
        </translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message numerus="yes">
        <source>%n emoji</source>
        <translation>
            <numerusform>%n Emoji</numerusform>
            <numerusform>%n Emojis</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>Step %1 of %2</source>
        <translation>Schritt %1 von %2</translation>
    </message>
    <message>
        <source>Welcome to Tiklo</source>
        <translation>Willkommen bei Tiklo</translation>
    </message>
    <message>
        <source>A fast emoji picker that drops emoji straight into whatever you&apos;re typing.</source>
        <translation>Eine schnelle Emoji-Auswahl, die Emojis direkt in deinen Text setzt.</translation>
    </message>
    <message>
        <source>Type ; anywhere to search, then Return to insert.</source>
        <translation>Tippe irgendwo ; zum Suchen, dann Eingabe zum Einfügen.</translation>
    </message>
    <message>
        <source>Press Ctrl+Alt+E for the full picker with categories and favorites.</source>
        <translation>Strg+Alt+E öffnet die volle Auswahl mit Kategorien und Favoriten.</translation>
    </message>
    <message>
        <source>Your most-used emoji rise to the top automatically.</source>
        <translation>Deine meistgenutzten Emojis rücken von selbst nach oben.</translation>
    </message>
    <message>
        <source>Get started</source>
        <translation>Los geht’s</translation>
    </message>
    <message>
        <source>One permission, and you&apos;re set</source>
        <translation>Eine Berechtigung, und es kann losgehen</translation>
    </message>
    <message>
        <source>Tiklo needs key access to watch for ; and to type emoji into other apps, and the accessibility bus to find the caret. Nothing leaves your computer.</source>
        <translation>Tiklo braucht den Tastenzugriff, um das ; zu erkennen und Emojis in andere Apps zu tippen, und den Barrierefreiheits-Bus, um die Einfügemarke zu finden. Nichts verlässt deinen Computer.</translation>
    </message>
    <message>
        <source>No key access: Tiklo needs an X11 session</source>
        <translation>Kein Tastenzugriff: Tiklo braucht eine X11-Sitzung</translation>
    </message>
    <message>
        <source>Permission granted — Tiklo is live in X11 apps</source>
        <translation>Berechtigung erteilt – Tiklo ist in X11-Apps aktiv</translation>
    </message>
    <message>
        <source>Permission granted — Tiklo is live</source>
        <translation>Berechtigung erteilt – Tiklo ist aktiv</translation>
    </message>
    <message>
        <source>Caret tracking is on</source>
        <translation>Einfügemarke wird verfolgt</translation>
    </message>
    <message>
        <source>Caret tracking is off</source>
        <translation>Einfügemarke wird nicht verfolgt</translation>
    </message>
    <message>
        <source>No accessibility bus: install at-spi2-core</source>
        <translation>Kein Barrierefreiheits-Bus: at-spi2-core installieren</translation>
    </message>
    <message>
        <source>Asking the accessibility bus…</source>
        <translation>Frage den Barrierefreiheits-Bus…</translation>
    </message>
    <message>
        <source>Grant Access</source>
        <translation>Zugriff erlauben</translation>
    </message>
    <message>
        <source>Grant Access switches on the desktop&apos;s accessibility bus. Applications started before then report their caret after a restart. This page updates the moment it changes.</source>
        <translation>„Zugriff erlauben“ schaltet den Barrierefreiheits-Bus des Desktops ein. Programme, die vorher gestartet wurden, melden ihre Einfügemarke nach einem Neustart. Diese Seite aktualisiert sich sofort, wenn sich etwas ändert.</translation>
    </message>
    <message>
        <source>Without an accessibility bus the popup opens near the pointer. Install at-spi2-core to have it open at the caret; this page updates the moment the bus is there.</source>
        <translation>Ohne Barrierefreiheits-Bus öffnet sich das Popup beim Mauszeiger. Installiere at-spi2-core, damit es sich an der Einfügemarke öffnet; diese Seite aktualisiert sich, sobald der Bus da ist.</translation>
    </message>
    <message>
        <source>Caret tracking is on: applications started before it was switched on report their caret after a restart.</source>
        <translation>Die Einfügemarke wird verfolgt: Programme, die vor dem Einschalten gestartet wurden, melden sie nach einem Neustart.</translation>
    </message>
    <message>
        <source>Caret tracking is on: the popup opens at the caret of applications that report it.</source>
        <translation>Die Einfügemarke wird verfolgt: Das Popup öffnet sich an der Einfügemarke von Programmen, die sie melden.</translation>
    </message>
    <message>
        <source>Tiklo is asking the desktop&apos;s accessibility bus whether applications report their caret. This page updates the moment it answers.</source>
        <translation>Tiklo fragt den Barrierefreiheits-Bus des Desktops, ob Programme ihre Einfügemarke melden. Diese Seite aktualisiert sich, sobald er antwortet.</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Set up later</source>
        <translation>Später einrichten</translation>
    </message>
    <message>
        <source>You&apos;re all set</source>
        <translation>Alles bereit</translation>
    </message>
    <message>
        <source>Click into any text field and give it a try:</source>
        <translation>Klicke in ein beliebiges Textfeld und probier es aus:</translation>
    </message>
    <message>
        <source>Tiklo lives in your system tray — open Settings there anytime.</source>
        <translation>Tiklo wohnt im Infobereich – dort öffnest du jederzeit die Einstellungen.</translation>
    </message>
    <message>
        <source>Start using Tiklo</source>
        <translation>Tiklo verwenden</translation>
    </message>
    <message>
        <source>Semicolon search through fcitx5: on</source>
        <translation>Semikolon-Suche über fcitx5: an</translation>
    </message>
    <message>
        <source>Semicolon search through fcitx5: off</source>
        <translation>Semikolon-Suche über fcitx5: aus</translation>
    </message>
    <message>
        <source>Semicolon search through fcitx5: not installed</source>
        <translation>Semikolon-Suche über fcitx5: nicht installiert</translation>
    </message>
    <message>
        <source>Asking fcitx5…</source>
        <translation>Frage fcitx5…</translation>
    </message>
    <message>
        <source>Semicolon search through IBus: on</source>
        <translation>Semikolon-Suche über IBus: an</translation>
    </message>
    <message>
        <source>Semicolon search through IBus: off (another input source is active)</source>
        <translation>Semikolon-Suche über IBus: aus (eine andere Eingabequelle ist aktiv)</translation>
    </message>
    <message>
        <source>Semicolon search through IBus: not installed</source>
        <translation>Semikolon-Suche über IBus: nicht installiert</translation>
    </message>
    <message>
        <source>Asking IBus…</source>
        <translation>Frage IBus…</translation>
    </message>
    <message>
        <source>On GNOME: add Tiklo under Settings → Keyboard → Input Sources. For the full picker anywhere, bind “tiklo --picker” to a custom shortcut. The AppIndicator extension shows Tiklo&apos;s icon.</source>
        <translation>Unter GNOME: Fügen Sie Tiklo unter Einstellungen → Tastatur → Eingabequellen hinzu. Für die volle Auswahl überall legen Sie „tiklo --picker“ auf ein eigenes Tastenkürzel. Die Erweiterung AppIndicator zeigt Tiklos Symbol.</translation>
    </message>
</context>
<context>
    <name>PermissionsSettingsView</name>
    <message>
        <source>Permissions</source>
        <translation>Berechtigungen</translation>
    </message>
    <message>
        <source>Key access lets Tiklo watch for ; and inject emoji; the accessibility bus shows it where the caret is.</source>
        <translation>Mit dem Tastenzugriff erkennt Tiklo das ; und fügt Emojis ein; der Barrierefreiheits-Bus zeigt ihm, wo die Einfügemarke steht.</translation>
    </message>
    <message>
        <source>Key access</source>
        <translation>Tastenzugriff</translation>
    </message>
    <message>
        <source>Required for semicolon search and direct insertion. This display does not offer it: Tiklo needs an X11 session.</source>
        <translation>Nötig für die Semikolon-Suche und das direkte Einfügen. Diese Anzeige bietet ihn nicht: Tiklo braucht eine X11-Sitzung.</translation>
    </message>
    <message>
        <source>Granted for X11 apps only: in this Wayland session, keys typed into Wayland apps never reach Tiklo.</source>
        <translation>Nur für X11-Apps erteilt: In dieser Wayland-Sitzung erreichen Tasten, die in Wayland-Apps getippt werden, Tiklo nie.</translation>
    </message>
    <message>
        <source>Granted. Semicolon search can work in other apps.</source>
        <translation>Erteilt. Die Semikolon-Suche funktioniert in anderen Apps.</translation>
    </message>
    <message>
        <source>Caret tracking</source>
        <translation>Einfügemarke verfolgen</translation>
    </message>
    <message>
        <source>On. Applications started before it was switched on report their caret after a restart.</source>
        <translation>An. Programme, die vor dem Einschalten gestartet wurden, melden ihre Einfügemarke nach einem Neustart.</translation>
    </message>
    <message>
        <source>On. The popup opens at the caret of applications that report it.</source>
        <translation>An. Das Popup öffnet sich an der Einfügemarke von Programmen, die sie melden.</translation>
    </message>
    <message>
        <source>Off. The popup opens near the mouse pointer, and password fields are not recognised. Applications started before it is switched on need a restart to report their caret.</source>
        <translation>Aus. Das Popup öffnet sich beim Mauszeiger, und Passwortfelder werden nicht erkannt. Programme, die vor dem Einschalten gestartet wurden, melden ihre Einfügemarke erst nach einem Neustart.</translation>
    </message>
    <message>
        <source>This desktop has no accessibility bus (the at-spi2-core package provides it). The popup opens near the mouse pointer.</source>
        <translation>Dieser Desktop hat keinen Barrierefreiheits-Bus (das Paket at-spi2-core bringt ihn mit). Das Popup öffnet sich beim Mauszeiger.</translation>
    </message>
    <message>
        <source>Asking the desktop&apos;s accessibility bus…</source>
        <translation>Frage den Barrierefreiheits-Bus des Desktops…</translation>
    </message>
    <message>
        <source>Grant</source>
        <translation>Erlauben</translation>
    </message>
    <message>
        <source>How semicolon search works</source>
        <translation>So funktioniert die Semikolon-Suche</translation>
    </message>
    <message>
        <source>Semicolon search through fcitx5</source>
        <translation>Semikolon-Suche über fcitx5</translation>
    </message>
    <message>
        <source>On. In the fields fcitx5 serves, Wayland apps too, the search runs inside fcitx5.</source>
        <translation>An. In den Feldern, die fcitx5 bedient, auch in Wayland-Apps, läuft die Suche in fcitx5.</translation>
    </message>
    <message>
        <source>Off. Tiklo&apos;s addon is installed, but fcitx5 is not running or has not loaded it: restart fcitx5.</source>
        <translation>Aus. Tiklos Erweiterung ist installiert, aber fcitx5 läuft nicht oder hat sie nicht geladen: Starten Sie fcitx5 neu.</translation>
    </message>
    <message>
        <source>Not installed. The tiklo-fcitx5 package brings semicolon search to Wayland apps through fcitx5.</source>
        <translation>Nicht installiert. Das Paket tiklo-fcitx5 bringt die Semikolon-Suche über fcitx5 in Wayland-Apps.</translation>
    </message>
    <message>
        <source>Asking fcitx5…</source>
        <translation>Frage fcitx5…</translation>
    </message>
    <message>
        <source>Semicolon search through IBus</source>
        <translation>Semikolon-Suche über IBus</translation>
    </message>
    <message>
        <source>On. In the fields IBus serves, GNOME&apos;s Wayland apps too, the search runs inside IBus.</source>
        <translation>An. In den Feldern, die IBus bedient, auch in Wayland-Apps von GNOME, läuft die Suche in IBus.</translation>
    </message>
    <message>
        <source>Off. Another input source is active: choose Tiklo under Settings → Keyboard → Input Sources.</source>
        <translation>Aus. Eine andere Eingabequelle ist aktiv: Wählen Sie Tiklo unter Einstellungen → Tastatur → Eingabequellen.</translation>
    </message>
    <message>
        <source>Not installed. The tiklo-ibus package brings semicolon search to GNOME through IBus.</source>
        <translation>Nicht installiert. Das Paket tiklo-ibus bringt die Semikolon-Suche über IBus zu GNOME.</translation>
    </message>
    <message>
        <source>Asking IBus…</source>
        <translation>Frage IBus…</translation>
    </message>
</context>
<context>
    <name>PickerChoices</name>
    <message>
        <source>Grid</source>
        <translation>Raster</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Smileys</source>
        <translation>Smileys</translation>
    </message>
    <message>
        <source>People</source>
        <translation>Menschen</translation>
    </message>
    <message>
        <source>Animals</source>
        <translation>Tiere</translation>
    </message>
    <message>
        <source>Food</source>
        <translation>Essen</translation>
    </message>
    <message>
        <source>Activity</source>
        <translation>Aktivitäten</translation>
    </message>
    <message>
        <source>Travel</source>
        <translation>Reisen</translation>
    </message>
    <message>
        <source>Objects</source>
        <translation>Objekte</translation>
    </message>
    <message>
        <source>Symbols</source>
        <translation>Symbole</translation>
    </message>
    <message>
        <source>Flags</source>
        <translation>Flaggen</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <source>Medium light</source>
        <translation>Mittelhell</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Medium dark</source>
        <translation>Mitteldunkel</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <source>Emoji</source>
        <translation>Emoji</translation>
    </message>
    <message>
        <source>Kaomoji</source>
        <translation>Kaomoji</translation>
    </message>
    <message>
        <source>Punctuation</source>
        <translation>Satzzeichen</translation>
    </message>
    <message>
        <source>Arrows</source>
        <translation>Pfeile</translation>
    </message>
    <message>
        <source>Math</source>
        <translation>Mathematik</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>Währungen</translation>
    </message>
    <message>
        <source>Geometric</source>
        <translation>Geometrische Formen</translation>
    </message>
    <message>
        <source>Bullets &amp; stars</source>
        <translation>Aufzählungszeichen &amp; Sterne</translation>
    </message>
    <message>
        <source>Letterlike &amp; technical</source>
        <translation>Buchstabenähnliche &amp; technische Zeichen</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <source>Joy</source>
        <translation>Freude</translation>
    </message>
    <message>
        <source>Love</source>
        <translation>Liebe</translation>
    </message>
    <message>
        <source>Sad</source>
        <translation>Traurig</translation>
    </message>
    <message>
        <source>Angry</source>
        <translation>Wütend</translation>
    </message>
    <message>
        <source>Surprise</source>
        <translation>Überraschung</translation>
    </message>
    <message>
        <source>Shrug</source>
        <translation>Schulterzucken</translation>
    </message>
    <message>
        <source>Table flip</source>
        <translation>Tisch umwerfen</translation>
    </message>
    <message>
        <source>Greeting</source>
        <translation>Gruß</translation>
    </message>
    <message>
        <source>Hug</source>
        <translation>Umarmung</translation>
    </message>
    <message>
        <source>Sleepy</source>
        <translation>Müde</translation>
    </message>
    <message>
        <source>Dance</source>
        <translation>Tanz</translation>
    </message>
    <message>
        <source>Bear</source>
        <translation>Bär</translation>
    </message>
    <message>
        <source>Cat</source>
        <translation>Katze</translation>
    </message>
    <message>
        <source>Dog</source>
        <translation>Hund</translation>
    </message>
    <message>
        <source>Smug</source>
        <translation>Selbstgefällig</translation>
    </message>
    <message>
        <source>Disapproval</source>
        <translation>Missbilligung</translation>
    </message>
    <message>
        <source>Embarrassed</source>
        <translation>Verlegen</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstige</translation>
    </message>
</context>
<context>
    <name>PickerView</name>
    <message>
        <source>Search emoji</source>
        <translation>Emojis suchen</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Kategorien</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Triggers need permission</source>
        <translation>Auslöser brauchen eine Berechtigung</translation>
    </message>
    <message>
        <source>Remove Favorite</source>
        <translation>Aus Favoriten entfernen</translation>
    </message>
    <message>
        <source>Favorite</source>
        <translation>Zu Favoriten hinzufügen</translation>
    </message>
    <message>
        <source>Insert and Keep Open</source>
        <translation>Einfügen und offen lassen</translation>
    </message>
    <message>
        <source>Skin Tone…</source>
        <translation>Hautfarbe…</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Zuletzt verwendet</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoriten</translation>
    </message>
    <message numerus="yes">
        <source>%n results</source>
        <translation>
            <numerusform>%n Ergebnis</numerusform>
            <numerusform>%n Ergebnisse</numerusform>
        </translation>
    </message>
    <message>
        <source>All emoji</source>
        <translation>Alle Emojis</translation>
    </message>
    <message>
        <source>Search kaomoji</source>
        <translation>Kaomoji suchen</translation>
    </message>
    <message>
        <source>Search symbols</source>
        <translation>Symbole suchen</translation>
    </message>
    <message>
        <source>Insert for Markdown</source>
        <translation>Für Markdown einfügen</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Gruppen</translation>
    </message>
</context>
<context>
    <name>SemicolonSearchExample</name>
    <message>
        <source>brain</source>
        <extracomment>A search word that finds the brain emoji in the user&apos;s language.</extracomment>
        <translation>gehirn</translation>
    </message>
    <message>
        <source>Return</source>
        <extracomment>The Return key.</extracomment>
        <translation>Eingabe</translation>
    </message>
</context>
<context>
    <name>SettingsRootView</name>
    <message>
        <source>Needs permission</source>
        <translation>Braucht Berechtigung</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Aktiv</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Tiklo</source>
        <translation>Tiklo</translation>
    </message>
    <message>
        <source>Emoji picker</source>
        <translation>Emoji-Auswahl</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>emoji indexed</source>
        <translation>Emojis indiziert</translation>
    </message>
    <message>
        <source>left out: not in the emoji font</source>
        <translation>ausgelassen: nicht in der Emoji-Schrift</translation>
    </message>
    <message>
        <source>recent picks</source>
        <translation>zuletzt gewählt</translation>
    </message>
    <message>
        <source>favorites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>symbols and kaomoji left out: no font draws them</source>
        <translation>Symbole und Kaomoji ausgelassen: keine Schrift zeigt sie</translation>
    </message>
</context>
<context>
    <name>SettingsTab</name>
    <message>
        <source>Library</source>
        <translation>Bibliothek</translation>
    </message>
    <message>
        <source>Behavior</source>
        <translation>Verhalten</translation>
    </message>
    <message>
        <source>Exceptions</source>
        <translation>Ausnahmen</translation>
    </message>
    <message>
        <source>Permissions</source>
        <translation>Berechtigungen</translation>
    </message>
</context>
<context>
    <name>SkinToneButton</name>
    <message>
        <source>Skin tone</source>
        <translation>Hautfarbe</translation>
    </message>
</context>
<context>
    <name>TrayMenuModel</name>
    <message>
        <source>Show Picker</source>
        <translation>Emoji-Auswahl öffnen</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Welcome Guide</source>
        <translation>Einführung</translation>
    </message>
    <message>
        <source>Orlen&apos;s newsletter…</source>
        <translation>Orlens Newsletter…</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Updates suchen…</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Aktiviert</translation>
    </message>
    <message>
        <source>Grant Accessibility</source>
        <translation>Zugriff erlauben</translation>
    </message>
    <message>
        <source>Quit Tiklo</source>
        <translation>Tiklo beenden</translation>
    </message>
</context>
<context>
    <name>UpdateDialogs</name>
    <message>
        <source>Checking for updates…</source>
        <translation>Suche nach Updates…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>You&apos;re up to date!</source>
        <translation>Tiklo ist auf dem neuesten Stand!</translation>
    </message>
    <message>
        <source>Tiklo %1 is the newest version.</source>
        <translation>Tiklo %1 ist die neueste Version.</translation>
    </message>
    <message>
        <source>A new version of Tiklo is available!</source>
        <translation>Eine neue Version von Tiklo ist da!</translation>
    </message>
    <message>
        <source>Tiklo %1 is out; you have %2.</source>
        <translation>Tiklo %1 ist erschienen; du hast %2.</translation>
    </message>
    <message>
        <source>Open Download Page</source>
        <translation>Download-Seite öffnen</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>Tiklo could not check for updates.</source>
        <translation>Tiklo konnte nicht nach Updates suchen.</translation>
    </message>
    <message>
        <source>Check for updates automatically?</source>
        <translation>Automatisch nach Updates suchen?</translation>
    </message>
    <message>
        <source>Tiklo can look for a newer version once a day. Only the update feed is fetched; nothing you type ever leaves your computer.</source>
        <translation>Tiklo kann einmal am Tag nach einer neueren Version suchen. Dabei wird nur der Update-Feed abgerufen; nichts, was du tippst, verlässt je deinen Computer.</translation>
    </message>
    <message>
        <source>Check Automatically</source>
        <translation>Automatisch suchen</translation>
    </message>
    <message>
        <source>Don&apos;t Check</source>
        <translation>Nicht suchen</translation>
    </message>
</context>
<context>
    <name>tiklo::HotkeyRecorder</name>
    <message>
        <source>%1 is taken by another program</source>
        <translation>%1 ist von einem anderen Programm belegt</translation>
    </message>
</context>
</TS>
