<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>AppcastUpdater</name>
    <message>
        <source>Tiklo could not reach the update server.</source>
        <translation>Tiklo n’a pas pu joindre le serveur de mises à jour.</translation>
    </message>
    <message>
        <source>The update server did not answer in time.</source>
        <translation>Le serveur de mises à jour n’a pas répondu à temps.</translation>
    </message>
    <message>
        <source>The update server answered with an error (HTTP %1).</source>
        <translation>Le serveur de mises à jour a répondu par une erreur (HTTP %1).</translation>
    </message>
    <message>
        <source>The update information from the server could not be read.</source>
        <translation>Les informations de mise à jour du serveur sont illisibles.</translation>
    </message>
</context>
<context>
    <name>BehaviorSettingsView</name>
    <message>
        <source>Behavior</source>
        <translation>Comportement</translation>
    </message>
    <message>
        <source>picker shortcut, semicolon search and insertion style.</source>
        <translation>raccourci du sélecteur, recherche par point-virgule et style d’insertion.</translation>
    </message>
    <message>
        <source>Tiklo enabled</source>
        <translation>Tiklo activé</translation>
    </message>
    <message>
        <source>Controls semicolon search and picker insertion.</source>
        <translation>Contrôle la recherche par point-virgule et l’insertion depuis le sélecteur.</translation>
    </message>
    <message>
        <source>Launch at login</source>
        <translation>Lancer à l’ouverture de session</translation>
    </message>
    <message>
        <source>Start Tiklo automatically when you log in.</source>
        <translation>Démarrer Tiklo automatiquement à l’ouverture de session.</translation>
    </message>
    <message>
        <source>Picker shortcut</source>
        <translation>Raccourci du sélecteur</translation>
    </message>
    <message>
        <source>Opens the floating emoji picker anywhere.</source>
        <translation>Ouvre le sélecteur d’emojis flottant partout.</translation>
    </message>
    <message>
        <source>Typed trigger</source>
        <translation>Déclencheur tapé</translation>
    </message>
    <message>
        <source>Type ; anywhere to open search, then use arrows and Return.</source>
        <translation>Tapez ; n’importe où pour chercher, puis les flèches et Entrée.</translation>
    </message>
    <message>
        <source>Insert trailing space</source>
        <translation>Ajouter une espace après</translation>
    </message>
    <message>
        <source>Adds a space after emoji inserted from semicolon search and picker.</source>
        <translation>Ajoute une espace après les emojis insérés par la recherche et le sélecteur.</translation>
    </message>
    <message>
        <source>Picker style</source>
        <translation>Style du sélecteur</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>Grille</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Default skin tone</source>
        <translation>Teint par défaut</translation>
    </message>
</context>
<context>
    <name>ContentRow</name>
    <message>
        <source>No matches</source>
        <translation>Aucun résultat</translation>
    </message>
</context>
<context>
    <name>EmojiMiniGrid</name>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
</context>
<context>
    <name>EmojiRow</name>
    <message>
        <source>Remove Favorite</source>
        <translation>Retirer des favoris</translation>
    </message>
    <message>
        <source>Favorite</source>
        <translation>Ajouter aux favoris</translation>
    </message>
</context>
<context>
    <name>EmojiToneMenu</name>
    <message>
        <source>Skin Tone</source>
        <translation>Teint</translation>
    </message>
    <message>
        <source>Use Default Tone</source>
        <translation>Utiliser le teint par défaut</translation>
    </message>
</context>
<context>
    <name>ExceptionsSettingsView</name>
    <message>
        <source>Exceptions</source>
        <translation>Exceptions</translation>
    </message>
    <message>
        <source>Disable semicolon search in apps where ; has a special meaning.</source>
        <translation>Désactiver la recherche par point-virgule dans les applications où ; a un sens particulier.</translation>
    </message>
    <message>
        <source>Application id</source>
        <translation>Identifiant d’application</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Current App</source>
        <translation>Application active</translation>
    </message>
    <message>
        <source>No excluded apps.</source>
        <translation>Aucune application exclue.</translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>Retirer %1</translation>
    </message>
</context>
<context>
    <name>HotkeyRecorderView</name>
    <message>
        <source>press keys...</source>
        <translation>appuyez sur des touches…</translation>
    </message>
</context>
<context>
    <name>InlineEmojiPickerView</name>
    <message>
        <source>Search emoji</source>
        <translation>Rechercher un emoji</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Aucun résultat</translation>
    </message>
    <message>
        <source>navigate</source>
        <translation>naviguer</translation>
    </message>
    <message>
        <source>insert</source>
        <translation>insérer</translation>
    </message>
    <message>
        <source>dismiss</source>
        <translation>fermer</translation>
    </message>
    <message numerus="yes">
        <source>%n emoji</source>
        <translation>
            <numerusform>%n emoji</numerusform>
            <numerusform>%n emojis</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LibrarySettingsView</name>
    <message>
        <source>Library</source>
        <translation>Bibliothèque</translation>
    </message>
    <message>
        <source>recents, favorites and the indexed emoji set.</source>
        <translation>récents, favoris et emojis indexés.</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoris</translation>
    </message>
    <message>
        <source>No favorites yet.</source>
        <translation>Pas encore de favoris.</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Récents</translation>
    </message>
    <message>
        <source>Your picked emoji will appear here.</source>
        <translation>Les emojis choisis apparaîtront ici.</translation>
    </message>
    <message>
        <source>Usage ranking</source>
        <translation>Classement par usage</translation>
    </message>
    <message numerus="yes">
        <source>%n emoji have learned counts. Frequently selected emoji move forward in close search matches.</source>
        <translation>
            <numerusform>%n emoji a un compteur appris. Les emojis souvent choisis remontent parmi les résultats proches.</numerusform>
            <numerusform>%n emojis ont des compteurs appris. Les emojis souvent choisis remontent parmi les résultats proches.</numerusform>
        </translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message numerus="yes">
        <source>%n emoji</source>
        <translation>
            <numerusform>%n emoji</numerusform>
            <numerusform>%n emojis</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>OnboardingView</name>
    <message>
        <source>Step %1 of %2</source>
        <translation>Étape %1 sur %2</translation>
    </message>
    <message>
        <source>Welcome to Tiklo</source>
        <translation>Bienvenue dans Tiklo</translation>
    </message>
    <message>
        <source>A fast emoji picker that drops emoji straight into whatever you&apos;re typing.</source>
        <translation>Un sélecteur d’emojis rapide qui les insère directement dans ce que vous tapez.</translation>
    </message>
    <message>
        <source>Type ; anywhere to search, then Return to insert.</source>
        <translation>Tapez ; n’importe où pour chercher, puis Entrée pour insérer.</translation>
    </message>
    <message>
        <source>Press Ctrl+Alt+E for the full picker with categories and favorites.</source>
        <translation>Ctrl+Alt+E ouvre le sélecteur complet, avec catégories et favoris.</translation>
    </message>
    <message>
        <source>Your most-used emoji rise to the top automatically.</source>
        <translation>Vos emojis les plus utilisés remontent d’eux-mêmes.</translation>
    </message>
    <message>
        <source>Get started</source>
        <translation>Commencer</translation>
    </message>
    <message>
        <source>One permission, and you&apos;re set</source>
        <translation>Une autorisation, et c’est parti</translation>
    </message>
    <message>
        <source>Tiklo needs key access to watch for ; and to type emoji into other apps, and the accessibility bus to find the caret. Nothing leaves your computer.</source>
        <translation>Tiklo a besoin de l’accès au clavier pour repérer le ; et taper des emojis dans les autres applications, et du bus d’accessibilité pour trouver le curseur. Rien ne quitte votre ordinateur.</translation>
    </message>
    <message>
        <source>No key access: Tiklo needs an X11 session</source>
        <translation>Pas d’accès au clavier&#xa0;: Tiklo a besoin d’une session X11</translation>
    </message>
    <message>
        <source>Permission granted — Tiklo is live in X11 apps</source>
        <translation>Autorisation accordée — Tiklo est actif dans les applications X11</translation>
    </message>
    <message>
        <source>Permission granted — Tiklo is live</source>
        <translation>Autorisation accordée — Tiklo est actif</translation>
    </message>
    <message>
        <source>Caret tracking is on</source>
        <translation>Suivi du curseur activé</translation>
    </message>
    <message>
        <source>Caret tracking is off</source>
        <translation>Suivi du curseur désactivé</translation>
    </message>
    <message>
        <source>No accessibility bus: install at-spi2-core</source>
        <translation>Pas de bus d’accessibilité&#xa0;: installez at-spi2-core</translation>
    </message>
    <message>
        <source>Asking the accessibility bus…</source>
        <translation>Interrogation du bus d’accessibilité…</translation>
    </message>
    <message>
        <source>Grant Access</source>
        <translation>Autoriser l’accès</translation>
    </message>
    <message>
        <source>Grant Access switches on the desktop&apos;s accessibility bus. Applications started before then report their caret after a restart. This page updates the moment it changes.</source>
        <translation>«&#xa0;Autoriser l’accès&#xa0;» active le bus d’accessibilité du bureau. Les applications lancées avant indiquent leur curseur après un redémarrage. Cette page se met à jour dès que cela change.</translation>
    </message>
    <message>
        <source>Without an accessibility bus the popup opens near the pointer. Install at-spi2-core to have it open at the caret; this page updates the moment the bus is there.</source>
        <translation>Sans bus d’accessibilité, la fenêtre s’ouvre près du pointeur. Installez at-spi2-core pour qu’elle s’ouvre au curseur&#xa0;; cette page se met à jour dès que le bus est là.</translation>
    </message>
    <message>
        <source>Caret tracking is on: applications started before it was switched on report their caret after a restart.</source>
        <translation>Le suivi du curseur est activé&#xa0;: les applications lancées avant son activation indiquent leur curseur après un redémarrage.</translation>
    </message>
    <message>
        <source>Caret tracking is on: the popup opens at the caret of applications that report it.</source>
        <translation>Le suivi du curseur est activé&#xa0;: la fenêtre s’ouvre au curseur des applications qui l’indiquent.</translation>
    </message>
    <message>
        <source>Tiklo is asking the desktop&apos;s accessibility bus whether applications report their caret. This page updates the moment it answers.</source>
        <translation>Tiklo demande au bus d’accessibilité du bureau si les applications indiquent leur curseur. Cette page se met à jour dès qu’il répond.</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuer</translation>
    </message>
    <message>
        <source>Set up later</source>
        <translation>Configurer plus tard</translation>
    </message>
    <message>
        <source>You&apos;re all set</source>
        <translation>Tout est prêt</translation>
    </message>
    <message>
        <source>Click into any text field and give it a try:</source>
        <translation>Cliquez dans un champ de texte et essayez&#xa0;:</translation>
    </message>
    <message>
        <source>Tiklo lives in your system tray — open Settings there anytime.</source>
        <translation>Tiklo se trouve dans la zone de notification — les réglages s’y ouvrent à tout moment.</translation>
    </message>
    <message>
        <source>Start using Tiklo</source>
        <translation>Utiliser Tiklo</translation>
    </message>
    <message>
        <source>Semicolon search through fcitx5: on</source>
        <translation>Recherche par point-virgule via fcitx5 : activée</translation>
    </message>
    <message>
        <source>Semicolon search through fcitx5: off</source>
        <translation>Recherche par point-virgule via fcitx5 : désactivée</translation>
    </message>
    <message>
        <source>Semicolon search through fcitx5: not installed</source>
        <translation>Recherche par point-virgule via fcitx5 : non installée</translation>
    </message>
    <message>
        <source>Asking fcitx5…</source>
        <translation>Interrogation de fcitx5…</translation>
    </message>
    <message>
        <source>Semicolon search through IBus: on</source>
        <translation>Recherche par point-virgule via IBus : activée</translation>
    </message>
    <message>
        <source>Semicolon search through IBus: off (another input source is active)</source>
        <translation>Recherche par point-virgule via IBus : désactivée (une autre source de saisie est active)</translation>
    </message>
    <message>
        <source>Semicolon search through IBus: not installed</source>
        <translation>Recherche par point-virgule via IBus : non installée</translation>
    </message>
    <message>
        <source>Asking IBus…</source>
        <translation>Interrogation d&apos;IBus…</translation>
    </message>
    <message>
        <source>On GNOME: add Tiklo under Settings → Keyboard → Input Sources. For the full picker anywhere, bind “tiklo --picker” to a custom shortcut. The AppIndicator extension shows Tiklo&apos;s icon.</source>
        <translation>Sous GNOME : ajoutez Tiklo dans Paramètres → Clavier → Sources de saisie. Pour le sélecteur complet partout, associez « tiklo --picker » à un raccourci personnalisé. L&apos;extension AppIndicator affiche l&apos;icône de Tiklo.</translation>
    </message>
</context>
<context>
    <name>PermissionsSettingsView</name>
    <message>
        <source>Permissions</source>
        <translation>Autorisations</translation>
    </message>
    <message>
        <source>Key access lets Tiklo watch for ; and inject emoji; the accessibility bus shows it where the caret is.</source>
        <translation>L’accès au clavier permet à Tiklo de repérer le ; et d’insérer des emojis&#xa0;; le bus d’accessibilité lui indique où se trouve le curseur.</translation>
    </message>
    <message>
        <source>Key access</source>
        <translation>Accès au clavier</translation>
    </message>
    <message>
        <source>Required for semicolon search and direct insertion. This display does not offer it: Tiklo needs an X11 session.</source>
        <translation>Nécessaire pour la recherche par point-virgule et l’insertion directe. Cet affichage ne l’offre pas&#xa0;: Tiklo a besoin d’une session X11.</translation>
    </message>
    <message>
        <source>Granted for X11 apps only: in this Wayland session, keys typed into Wayland apps never reach Tiklo.</source>
        <translation>Accordé aux applications X11 seulement&#xa0;: dans cette session Wayland, les touches tapées dans les applications Wayland n’atteignent jamais Tiklo.</translation>
    </message>
    <message>
        <source>Granted. Semicolon search can work in other apps.</source>
        <translation>Accordé. La recherche par point-virgule fonctionne dans les autres applications.</translation>
    </message>
    <message>
        <source>Caret tracking</source>
        <translation>Suivi du curseur</translation>
    </message>
    <message>
        <source>On. Applications started before it was switched on report their caret after a restart.</source>
        <translation>Activé. Les applications lancées avant son activation indiquent leur curseur après un redémarrage.</translation>
    </message>
    <message>
        <source>On. The popup opens at the caret of applications that report it.</source>
        <translation>Activé. La fenêtre s’ouvre au curseur des applications qui l’indiquent.</translation>
    </message>
    <message>
        <source>Off. The popup opens near the mouse pointer, and password fields are not recognised. Applications started before it is switched on need a restart to report their caret.</source>
        <translation>Désactivé. La fenêtre s’ouvre près du pointeur et les champs de mot de passe ne sont pas reconnus. Les applications lancées avant son activation doivent redémarrer pour indiquer leur curseur.</translation>
    </message>
    <message>
        <source>This desktop has no accessibility bus (the at-spi2-core package provides it). The popup opens near the mouse pointer.</source>
        <translation>Ce bureau n’a pas de bus d’accessibilité (le paquet at-spi2-core le fournit). La fenêtre s’ouvre près du pointeur.</translation>
    </message>
    <message>
        <source>Asking the desktop&apos;s accessibility bus…</source>
        <translation>Interrogation du bus d’accessibilité du bureau…</translation>
    </message>
    <message>
        <source>Grant</source>
        <translation>Autoriser</translation>
    </message>
    <message>
        <source>How semicolon search works</source>
        <translation>Comment marche la recherche par point-virgule</translation>
    </message>
    <message>
        <source>Semicolon search through fcitx5</source>
        <translation>Recherche par point-virgule via fcitx5</translation>
    </message>
    <message>
        <source>On. In the fields fcitx5 serves, Wayland apps too, the search runs inside fcitx5.</source>
        <translation>Activée. Dans les champs que fcitx5 gère, y compris dans les applications Wayland, la recherche se fait dans fcitx5.</translation>
    </message>
    <message>
        <source>Off. Tiklo&apos;s addon is installed, but fcitx5 is not running or has not loaded it: restart fcitx5.</source>
        <translation>Désactivée. Le module de Tiklo est installé, mais fcitx5 ne tourne pas ou ne l’a pas chargé : redémarrez fcitx5.</translation>
    </message>
    <message>
        <source>Not installed. The tiklo-fcitx5 package brings semicolon search to Wayland apps through fcitx5.</source>
        <translation>Non installée. Le paquet tiklo-fcitx5 apporte la recherche par point-virgule aux applications Wayland via fcitx5.</translation>
    </message>
    <message>
        <source>Asking fcitx5…</source>
        <translation>Interrogation de fcitx5…</translation>
    </message>
    <message>
        <source>Semicolon search through IBus</source>
        <translation>Recherche par point-virgule via IBus</translation>
    </message>
    <message>
        <source>On. In the fields IBus serves, GNOME&apos;s Wayland apps too, the search runs inside IBus.</source>
        <translation>Activée. Dans les champs que sert IBus, applis Wayland de GNOME comprises, la recherche se fait dans IBus.</translation>
    </message>
    <message>
        <source>Off. Another input source is active: choose Tiklo under Settings → Keyboard → Input Sources.</source>
        <translation>Désactivée. Une autre source de saisie est active : choisissez Tiklo dans Paramètres → Clavier → Sources de saisie.</translation>
    </message>
    <message>
        <source>Not installed. The tiklo-ibus package brings semicolon search to GNOME through IBus.</source>
        <translation>Non installée. Le paquet tiklo-ibus apporte la recherche par point-virgule à GNOME via IBus.</translation>
    </message>
    <message>
        <source>Asking IBus…</source>
        <translation>Interrogation d&apos;IBus…</translation>
    </message>
</context>
<context>
    <name>PickerChoices</name>
    <message>
        <source>Grid</source>
        <translation>Grille</translation>
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
        <translation>Personnes</translation>
    </message>
    <message>
        <source>Animals</source>
        <translation>Animaux</translation>
    </message>
    <message>
        <source>Food</source>
        <translation>Nourriture</translation>
    </message>
    <message>
        <source>Activity</source>
        <translation>Activités</translation>
    </message>
    <message>
        <source>Travel</source>
        <translation>Voyages</translation>
    </message>
    <message>
        <source>Objects</source>
        <translation>Objets</translation>
    </message>
    <message>
        <source>Symbols</source>
        <translation>Symboles</translation>
    </message>
    <message>
        <source>Flags</source>
        <translation>Drapeaux</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Clair</translation>
    </message>
    <message>
        <source>Medium light</source>
        <translation>Moyennement clair</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Intermédiaire</translation>
    </message>
    <message>
        <source>Medium dark</source>
        <translation>Moyennement foncé</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Foncé</translation>
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
        <translation>Ponctuation</translation>
    </message>
    <message>
        <source>Arrows</source>
        <translation>Flèches</translation>
    </message>
    <message>
        <source>Math</source>
        <translation>Mathématiques</translation>
    </message>
    <message>
        <source>Currency</source>
        <translation>Devises</translation>
    </message>
    <message>
        <source>Geometric</source>
        <translation>Formes géométriques</translation>
    </message>
    <message>
        <source>Bullets &amp; stars</source>
        <translation>Puces et étoiles</translation>
    </message>
    <message>
        <source>Letterlike &amp; technical</source>
        <translation>Lettres et symboles techniques</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musique</translation>
    </message>
    <message>
        <source>Joy</source>
        <translation>Joie</translation>
    </message>
    <message>
        <source>Love</source>
        <translation>Amour</translation>
    </message>
    <message>
        <source>Sad</source>
        <translation>Tristesse</translation>
    </message>
    <message>
        <source>Angry</source>
        <translation>Colère</translation>
    </message>
    <message>
        <source>Surprise</source>
        <translation>Surprise</translation>
    </message>
    <message>
        <source>Shrug</source>
        <translation>Haussement d’épaules</translation>
    </message>
    <message>
        <source>Table flip</source>
        <translation>Table renversée</translation>
    </message>
    <message>
        <source>Greeting</source>
        <translation>Salutations</translation>
    </message>
    <message>
        <source>Hug</source>
        <translation>Câlin</translation>
    </message>
    <message>
        <source>Sleepy</source>
        <translation>Sommeil</translation>
    </message>
    <message>
        <source>Dance</source>
        <translation>Danse</translation>
    </message>
    <message>
        <source>Bear</source>
        <translation>Ours</translation>
    </message>
    <message>
        <source>Cat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>Dog</source>
        <translation>Chien</translation>
    </message>
    <message>
        <source>Smug</source>
        <translation>Suffisance</translation>
    </message>
    <message>
        <source>Disapproval</source>
        <translation>Désapprobation</translation>
    </message>
    <message>
        <source>Embarrassed</source>
        <translation>Gêne</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Autres</translation>
    </message>
</context>
<context>
    <name>PickerView</name>
    <message>
        <source>Search emoji</source>
        <translation>Rechercher un emoji</translation>
    </message>
    <message>
        <source>Categories</source>
        <translation>Catégories</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Tous</translation>
    </message>
    <message>
        <source>Triggers need permission</source>
        <translation>Les déclencheurs ont besoin d’une autorisation</translation>
    </message>
    <message>
        <source>Remove Favorite</source>
        <translation>Retirer des favoris</translation>
    </message>
    <message>
        <source>Favorite</source>
        <translation>Ajouter aux favoris</translation>
    </message>
    <message>
        <source>Insert and Keep Open</source>
        <translation>Insérer sans fermer</translation>
    </message>
    <message>
        <source>Skin Tone…</source>
        <translation>Teint…</translation>
    </message>
    <message>
        <source>Recent</source>
        <translation>Récents</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoris</translation>
    </message>
    <message numerus="yes">
        <source>%n results</source>
        <translation>
            <numerusform>%n résultat</numerusform>
            <numerusform>%n résultats</numerusform>
        </translation>
    </message>
    <message>
        <source>All emoji</source>
        <translation>Tous les emojis</translation>
    </message>
    <message>
        <source>Search kaomoji</source>
        <translation>Rechercher des kaomoji</translation>
    </message>
    <message>
        <source>Search symbols</source>
        <translation>Rechercher des symboles</translation>
    </message>
    <message>
        <source>Insert for Markdown</source>
        <translation>Insérer pour Markdown</translation>
    </message>
    <message>
        <source>Groups</source>
        <translation>Groupes</translation>
    </message>
</context>
<context>
    <name>SemicolonSearchExample</name>
    <message>
        <source>brain</source>
        <extracomment>A search word that finds the brain emoji in the user&apos;s language.</extracomment>
        <translation>cerveau</translation>
    </message>
    <message>
        <source>Return</source>
        <extracomment>The Return key.</extracomment>
        <translation>Entrée</translation>
    </message>
</context>
<context>
    <name>SettingsRootView</name>
    <message>
        <source>Needs permission</source>
        <translation>Autorisation requise</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>Actif</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>Tiklo</source>
        <translation>Tiklo</translation>
    </message>
    <message>
        <source>Emoji picker</source>
        <translation>Sélecteur d’emojis</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>emoji indexed</source>
        <translation>emojis indexés</translation>
    </message>
    <message>
        <source>left out: not in the emoji font</source>
        <translation>omis&#xa0;: absents de la police emoji</translation>
    </message>
    <message>
        <source>recent picks</source>
        <translation>choix récents</translation>
    </message>
    <message>
        <source>favorites</source>
        <translation>favoris</translation>
    </message>
    <message>
        <source>symbols and kaomoji left out: no font draws them</source>
        <translation>symboles et kaomoji omis&#xa0;: aucune police ne les affiche</translation>
    </message>
</context>
<context>
    <name>SettingsTab</name>
    <message>
        <source>Library</source>
        <translation>Bibliothèque</translation>
    </message>
    <message>
        <source>Behavior</source>
        <translation>Comportement</translation>
    </message>
    <message>
        <source>Exceptions</source>
        <translation>Exceptions</translation>
    </message>
    <message>
        <source>Permissions</source>
        <translation>Autorisations</translation>
    </message>
</context>
<context>
    <name>SkinToneButton</name>
    <message>
        <source>Skin tone</source>
        <translation>Teint</translation>
    </message>
</context>
<context>
    <name>TrayMenuModel</name>
    <message>
        <source>Show Picker</source>
        <translation>Afficher le sélecteur</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Réglages</translation>
    </message>
    <message>
        <source>Welcome Guide</source>
        <translation>Guide de bienvenue</translation>
    </message>
    <message>
        <source>Orlen&apos;s newsletter…</source>
        <translation>La newsletter d’Orlen…</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Rechercher des mises à jour…</translation>
    </message>
    <message>
        <source>Enabled</source>
        <translation>Activé</translation>
    </message>
    <message>
        <source>Grant Accessibility</source>
        <translation>Autoriser l’accès</translation>
    </message>
    <message>
        <source>Quit Tiklo</source>
        <translation>Quitter Tiklo</translation>
    </message>
</context>
<context>
    <name>UpdateDialogs</name>
    <message>
        <source>Checking for updates…</source>
        <translation>Recherche de mises à jour…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>You&apos;re up to date!</source>
        <translation>Tiklo est à jour&#xa0;!</translation>
    </message>
    <message>
        <source>Tiklo %1 is the newest version.</source>
        <translation>Tiklo %1 est la dernière version.</translation>
    </message>
    <message>
        <source>A new version of Tiklo is available!</source>
        <translation>Une nouvelle version de Tiklo est disponible&#xa0;!</translation>
    </message>
    <message>
        <source>Tiklo %1 is out; you have %2.</source>
        <translation>Tiklo %1 est disponible&#xa0;; vous avez la version %2.</translation>
    </message>
    <message>
        <source>Open Download Page</source>
        <translation>Ouvrir la page de téléchargement</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Plus tard</translation>
    </message>
    <message>
        <source>Tiklo could not check for updates.</source>
        <translation>Tiklo n’a pas pu rechercher de mises à jour.</translation>
    </message>
    <message>
        <source>Check for updates automatically?</source>
        <translation>Rechercher automatiquement les mises à jour&#xa0;?</translation>
    </message>
    <message>
        <source>Tiklo can look for a newer version once a day. Only the update feed is fetched; nothing you type ever leaves your computer.</source>
        <translation>Tiklo peut rechercher une nouvelle version une fois par jour. Seul le flux de mises à jour est téléchargé&#xa0;; rien de ce que vous tapez ne quitte votre ordinateur.</translation>
    </message>
    <message>
        <source>Check Automatically</source>
        <translation>Rechercher automatiquement</translation>
    </message>
    <message>
        <source>Don&apos;t Check</source>
        <translation>Ne pas rechercher</translation>
    </message>
</context>
<context>
    <name>tiklo::HotkeyRecorder</name>
    <message>
        <source>%1 is taken by another program</source>
        <translation>%1 est déjà pris par un autre programme</translation>
    </message>
</context>
</TS>
