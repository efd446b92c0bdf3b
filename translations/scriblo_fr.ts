<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>DemoTour</name>
    <message>
        <source>trash</source>
        <comment>typed into the search field; a word of the built-in script &apos;Empty Trash&apos; as translated</comment>
        <translation>corbeille</translation>
    </message>
</context>
<context>
    <name>GestureSheet</name>
    <message>
        <source>%1 (continued)</source>
        <translation>%1 (suite)</translation>
    </message>
    <message>
        <source>No gestures are stored yet. Assign one in the setup window.</source>
        <translation>Aucun geste n’est encore enregistré. Attribuez-en un dans la fenêtre de configuration.</translation>
    </message>
    <message>
        <source>Scriblo Gestures</source>
        <translation>Gestes Scriblo</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
</context>
<context>
    <name>GestureSheetContents</name>
    <message>
        <source>Unavailable</source>
        <translation>Indisponibles</translation>
    </message>
    <message>
        <source>No longer on this computer</source>
        <translation>N’est plus sur cet ordinateur</translation>
    </message>
    <message>
        <source>Cannot run: the script is not executable</source>
        <translation>Impossible de lancer : le script n’est pas exécutable</translation>
    </message>
    <message>
        <source>Out of reach now: hidden, or on a disk that is not mounted</source>
        <translation>Hors d’atteinte pour l’instant : masqué, ou sur un disque non monté</translation>
    </message>
    <message>
        <source>Its browser is not installed</source>
        <translation>Le navigateur de cette page n’est pas installé</translation>
    </message>
</context>
<context>
    <name>GoneGestureRemoval</name>
    <message>
        <source>Gesture removed</source>
        <translation>Geste supprimé</translation>
    </message>
    <message>
        <source>The target of the gesture “%1” is gone, so the gesture was removed. It is kept in %2: “scriblo gestures import %2” brings it back.</source>
        <translation>La cible du geste « %1 » n’existe plus, le geste a donc été supprimé. Il est conservé dans %2 : « scriblo gestures import %2 » le rétablit.</translation>
    </message>
</context>
<context>
    <name>MoveApplication</name>
    <message>
        <source>Move to Applications folder in your Home folder?</source>
        <translation>Déplacer vers le dossier «&#xa0;Applications&#xa0;» de votre dossier personnel&#xa0;?</translation>
    </message>
    <message>
        <source>Move to Applications folder?</source>
        <translation>Déplacer vers le dossier «&#xa0;Applications&#xa0;»&#xa0;?</translation>
    </message>
    <message>
        <source>I can move myself to the Applications folder if you&apos;d like.</source>
        <translation>Je peux me déplacer moi-même dans le dossier «&#xa0;Applications&#xa0;» si vous le souhaitez.</translation>
    </message>
    <message>
        <source>Note that this will require an administrator password.</source>
        <translation>Notez que cela nécessitera un mot de passe administrateur.</translation>
    </message>
    <message>
        <source>This will keep your Downloads folder uncluttered.</source>
        <translation>Votre dossier Téléchargements restera ainsi bien rangé.</translation>
    </message>
    <message>
        <source>Move to Applications Folder</source>
        <translation>Déplacer vers «&#xa0;Applications&#xa0;»</translation>
    </message>
    <message>
        <source>Do Not Move</source>
        <translation>Ne pas déplacer</translation>
    </message>
    <message>
        <source>Do not show this message again</source>
        <translation>Ne plus afficher ce message</translation>
    </message>
    <message>
        <source>Could not move to Applications folder</source>
        <translation>Impossible de déplacer vers le dossier «&#xa0;Applications&#xa0;»</translation>
    </message>
</context>
<context>
    <name>SetupSettingsControls</name>
    <message>
        <source>Takes %1 to %2</source>
        <translation>Accepte de %1 à %2</translation>
    </message>
</context>
<context>
    <name>scriblo::BuiltInScripts</name>
    <message>
        <source>Empty Trash</source>
        <translation>Vider la corbeille</translation>
    </message>
    <message>
        <source>Lock Screen</source>
        <translation>Verrouiller l’écran</translation>
    </message>
    <message>
        <source>Log Out</source>
        <translation>Se déconnecter</translation>
    </message>
    <message>
        <source>Open Home Folder</source>
        <translation>Ouvrir le dossier personnel</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>Mettre en veille</translation>
    </message>
</context>
<context>
    <name>scriblo::CommandMenu</name>
    <message>
        <source>My &amp;Gestures…</source>
        <translation>Mes &amp;gestes…</translation>
    </message>
    <message>
        <source>&amp;Import Gestures…</source>
        <translation>&amp;Importer des gestes…</translation>
    </message>
    <message>
        <source>&amp;Export Gestures…</source>
        <translation>E&amp;xporter les gestes…</translation>
    </message>
    <message>
        <source>Explain &amp;Misses</source>
        <translation>Ex&amp;pliquer les échecs</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Last Drawing…</source>
        <translation>&amp;Dernier dessin…</translation>
    </message>
</context>
<context>
    <name>scriblo::ConflictWarningBar</name>
    <message>
        <source>Assign Anyway</source>
        <translation>Attribuer quand même</translation>
    </message>
    <message>
        <source>Draw Again</source>
        <translation>Redessiner</translation>
    </message>
    <message>
        <source>Gesture conflict</source>
        <translation>Conflit de gestes</translation>
    </message>
    <message>
        <source>Conflict warning</source>
        <translation>Avertissement de conflit</translation>
    </message>
    <message>
        <source>This looks like the gesture for %1 (%2%).</source>
        <translation>Cela ressemble au geste de %1 (%2&#xa0;%).</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nouveau</translation>
    </message>
    <message>
        <source>Stored</source>
        <translation>Enregistré</translation>
    </message>
    <message>
        <source>The gesture for %1</source>
        <translation>Le geste de %1</translation>
    </message>
</context>
<context>
    <name>scriblo::CustomScriptsNotice</name>
    <message>
        <source>Custom Scripts</source>
        <translation>Scripts personnalisés</translation>
    </message>
    <message>
        <source>Custom scripts notice</source>
        <translation>Avis sur les scripts personnalisés</translation>
    </message>
    <message>
        <source>Cool!</source>
        <translation>Génial&#xa0;!</translation>
    </message>
    <message>
        <source>You can add your own scripts to this list by placing executable files in the folder below.</source>
        <translation>Vous pouvez ajouter vos propres scripts à cette liste en plaçant des fichiers exécutables dans le dossier ci-dessous.</translation>
    </message>
</context>
<context>
    <name>scriblo::DrawingNumberBar</name>
    <message>
        <source>Remove Drawing</source>
        <translation>Retirer le dessin</translation>
    </message>
    <message>
        <source>Drawing shown</source>
        <translation>Dessin affiché</translation>
    </message>
    <message>
        <source>Drawing %1 of %2</source>
        <translation>Dessin %1 sur %2</translation>
    </message>
    <message>
        <source>Remove drawing %1 of %2 from the gesture</source>
        <translation>Retirer le dessin %1 sur %2 du geste</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureFileTransfer</name>
    <message>
        <source>Gesture files (*.json)</source>
        <translation>Fichiers de gestes (*.json)</translation>
    </message>
    <message>
        <source>Export Gestures</source>
        <translation>Exporter les gestes</translation>
    </message>
    <message>
        <source>The gestures were not exported.</source>
        <translation>Les gestes n’ont pas été exportés.</translation>
    </message>
    <message>
        <source>Gestures exported</source>
        <translation>Gestes exportés</translation>
    </message>
    <message>
        <source>Every stored gesture was written to %1.</source>
        <translation>Tous les gestes enregistrés ont été écrits dans %1.</translation>
    </message>
    <message>
        <source>Import Gestures</source>
        <translation>Importer des gestes</translation>
    </message>
    <message>
        <source>The file cannot be imported.</source>
        <translation>Le fichier ne peut pas être importé.</translation>
    </message>
    <message>
        <source>Nothing was imported.</source>
        <translation>Rien n’a été importé.</translation>
    </message>
    <message>
        <source>Gestures imported</source>
        <translation>Gestes importés</translation>
    </message>
    <message>
        <source>Added: %1. Replaced: %2.</source>
        <translation>Ajoutés : %1. Remplacés : %2.</translation>
    </message>
    <message>
        <source>Scriblo</source>
        <translation>Scriblo</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureImportPreview</name>
    <message>
        <source>Gestures in %1:</source>
        <translation>Gestes dans %1 :</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Résumé</translation>
    </message>
    <message>
        <source>Gestures in the file</source>
        <translation>Gestes du fichier</translation>
    </message>
    <message>
        <source>Gesture</source>
        <translation>Geste</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Cible</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Remarque</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>%1 to add, %2 to replace, %3 to skip.</source>
        <translation>%1 à ajouter, %2 à remplacer, %3 à ignorer.</translation>
    </message>
    <message>
        <source>Look-alikes of another target&apos;s gesture: %1.</source>
        <translation>Ressemblant au geste d’une autre cible : %1.</translation>
    </message>
    <message>
        <source>Drawing for %1</source>
        <translation>Dessin pour %1</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Already stored with this drawing</source>
        <translation>Déjà enregistré avec ce dessin</translation>
    </message>
    <message>
        <source>A later gesture in the file has the same target</source>
        <translation>Un geste plus loin dans le fichier a la même cible</translation>
    </message>
    <message>
        <source>Cannot be stored: %1</source>
        <translation>Impossible à enregistrer : %1</translation>
    </message>
    <message>
        <source>Looks like %1 (%2%)</source>
        <translation>Ressemble à %1 (%2&#xa0;%)</translation>
    </message>
    <message>
        <source>Import Gestures from %1</source>
        <translation>Importer les gestes de %1</translation>
    </message>
    <message>
        <source>Looking for look-alikes: %1 of %2…</source>
        <translation>Recherche des gestes ressemblants&#xa0;: %1 sur %2…</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureRecognitionController</name>
    <message>
        <source>Could not be started</source>
        <translation>N’a pas pu être lancé</translation>
    </message>
    <message>
        <source>Its target is gone, so the gesture was removed</source>
        <translation>Sa cible n’existe plus, le geste a donc été supprimé</translation>
    </message>
    <message>
        <source>Its target is gone</source>
        <translation>Sa cible n’existe plus</translation>
    </message>
    <message>
        <source>Cannot run: the script is not executable</source>
        <translation>Impossible de lancer : le script n’est pas exécutable</translation>
    </message>
    <message>
        <source>Its target cannot be found now</source>
        <translation>Sa cible est introuvable pour l’instant</translation>
    </message>
    <message>
        <source>%1 – %2% (needs %3%)</source>
        <translation>%1 – %2&#xa0;% (il faut %3&#xa0;%)</translation>
    </message>
    <message>
        <source>%1 – %2%</source>
        <comment>the best match while drawing: name, score</comment>
        <translation>%1 – %2&#xa0;%</translation>
    </message>
    <message>
        <source>Reading your gestures…</source>
        <translation>Lecture de vos gestes…</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureRecognitionView</name>
    <message>
        <source>Drawing area</source>
        <translation>Zone de dessin</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureRecognitionWindow</name>
    <message>
        <source>Launched target&apos;s icon</source>
        <translation>Icône de la cible lancée</translation>
    </message>
    <message>
        <source>Launched target</source>
        <translation>Cible lancée</translation>
    </message>
    <message>
        <source>Best match&apos;s icon</source>
        <translation>Icône de la meilleure correspondance</translation>
    </message>
    <message>
        <source>Best match so far</source>
        <translation>Meilleure correspondance jusqu’ici</translation>
    </message>
    <message>
        <source>Gesture drawing window</source>
        <translation>Fenêtre de dessin du geste</translation>
    </message>
    <message>
        <source>Scriblo</source>
        <translation>Scriblo</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Arrière-plan</translation>
    </message>
    <message>
        <source>Why the target did not start</source>
        <translation>Pourquoi la cible n’a pas démarré</translation>
    </message>
    <message>
        <source>Add to Gesture</source>
        <translation>Ajouter au geste</translation>
    </message>
    <message>
        <source>Add to %1</source>
        <translation>Ajouter à %1</translation>
    </message>
    <message>
        <source>Add this drawing to the gesture for %1</source>
        <translation>Ajouter ce dessin au geste de %1</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureSetupWindow</name>
    <message>
        <source>Scriblo Setup</source>
        <translation>Configuration de Scriblo</translation>
    </message>
    <message>
        <source>Scriblo setup</source>
        <translation>Configuration de Scriblo</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Arrière-plan</translation>
    </message>
    <message>
        <source>No tray area was found: run scriblo again to show or hide this window.</source>
        <translation>Aucune zone de notification n’a été trouvée&#xa0;: relancez scriblo pour afficher ou masquer cette fenêtre.</translation>
    </message>
    <message>
        <source>Tray hint</source>
        <translation>Indication sur la zone de notification</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Applications</translation>
    </message>
    <message>
        <source>Web Pages</source>
        <translation>Pages web</translation>
    </message>
    <message>
        <source>Scripts</source>
        <translation>Scripts</translation>
    </message>
    <message>
        <source>Utilities</source>
        <translation>Utilitaires</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Système</translation>
    </message>
    <message>
        <source>Kind of target</source>
        <translation>Type de cible</translation>
    </message>
    <message>
        <source>Targets</source>
        <translation>Cibles</translation>
    </message>
    <message>
        <source>Drawing area</source>
        <translation>Zone de dessin</translation>
    </message>
    <message>
        <source>Drawing prompt</source>
        <translation>Invitation à dessiner</translation>
    </message>
    <message>
        <source>Assign</source>
        <translation>Attribuer</translation>
    </message>
    <message>
        <source>Assign a gesture</source>
        <translation>Attribuer un geste</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Montrer</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Effacer</translation>
    </message>
    <message>
        <source>Clear the gesture</source>
        <translation>Effacer le geste</translation>
    </message>
    <message>
        <source>Minimum recognition score</source>
        <translation>Score de reconnaissance minimal</translation>
    </message>
    <message>
        <source>Reading delay time</source>
        <translation>Délai avant la reconnaissance</translation>
    </message>
    <message>
        <source>Minimum score (%)</source>
        <translation>Score minimal (%)</translation>
    </message>
    <message>
        <source>Reading delay (ms)</source>
        <translation>Délai (ms)</translation>
    </message>
    <message>
        <source>Draw with:</source>
        <translation>Dessiner avec&#xa0;:</translation>
    </message>
    <message>
        <source>Touchpad</source>
        <translation>Pavé tactile</translation>
    </message>
    <message>
        <source>Draw on the touchpad instead of with the mouse</source>
        <translation>Dessiner sur le pavé tactile plutôt qu’avec la souris</translation>
    </message>
    <message>
        <source>Full screen drawing</source>
        <translation>Plein écran</translation>
    </message>
    <message>
        <source>Full screen recognition window</source>
        <translation>Fenêtre de reconnaissance en plein écran</translation>
    </message>
    <message>
        <source>Quickdraw</source>
        <translation>Dessin rapide</translation>
    </message>
    <message>
        <source>Quickdraw with three fingers</source>
        <translation>Dessin rapide à trois doigts</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>À la connexion</translation>
    </message>
    <message>
        <source>Assign message</source>
        <translation>Message d’attribution</translation>
    </message>
    <message>
        <source>Nothing was drawn, so no gesture was saved. Press Assign and draw within four seconds.</source>
        <translation>Rien n’a été dessiné, aucun geste n’a donc été enregistré. Appuyez sur Attribuer et dessinez dans les quatre secondes.</translation>
    </message>
    <message>
        <source>Not saved: the drawing is too short to tell apart. Press Assign and draw a longer gesture.</source>
        <translation>Non enregistré : le dessin est trop court pour être distingué. Appuyez sur Attribuer et dessinez un geste plus long.</translation>
    </message>
    <message>
        <source>Not saved: Scriblo already keeps %1 gestures, as many as it can. Clear one you no longer use, then assign again.</source>
        <translation>Non enregistré : Scriblo conserve déjà %1 gestes, autant qu’il le peut. Effacez-en un que vous n’utilisez plus, puis attribuez de nouveau.</translation>
    </message>
    <message>
        <source>Not saved: %1.</source>
        <translation>Non enregistré : %1.</translation>
    </message>
    <message>
        <source>The gesture works now, but it could not be written to disk and may be gone after Scriblo quits.</source>
        <translation>Le geste fonctionne maintenant, mais il n’a pas pu être écrit sur le disque et risque d’être perdu quand Scriblo quittera.</translation>
    </message>
    <message>
        <source>Draw now!</source>
        <translation>Dessinez maintenant&#xa0;!</translation>
    </message>
    <message>
        <source>Draw here!</source>
        <translation>Dessinez ici&#xa0;!</translation>
    </message>
    <message>
        <source>More…</source>
        <translation>Plus…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Bring back the gesture for %1</source>
        <translation>Rétablir le geste de %1</translation>
    </message>
    <message>
        <source>No applications were found among the desktop&apos;s menu entries.</source>
        <translation>Aucune application n’a été trouvée parmi les entrées de menu du bureau.</translation>
    </message>
    <message>
        <source>No utilities were found among the desktop&apos;s menu entries.</source>
        <translation>Aucun utilitaire n’a été trouvé parmi les entrées de menu du bureau.</translation>
    </message>
    <message>
        <source>No system tools were found among the desktop&apos;s menu entries.</source>
        <translation>Aucun outil système n’a été trouvé parmi les entrées de menu du bureau.</translation>
    </message>
    <message>
        <source>No scripts yet. Executable files in Scriblo&apos;s Scripts folder are listed here.</source>
        <translation>Pas encore de scripts. Les fichiers exécutables du dossier Scripts de Scriblo sont listés ici.</translation>
    </message>
    <message>
        <source>Empty list</source>
        <translation>Liste vide</translation>
    </message>
    <message>
        <source>No bookmarked pages were found. Web pages come from the bookmarks toolbar of Firefox and the bookmarks bar of Chrome and Chromium, where the browser is installed.</source>
        <translation>Aucune page en favori n’a été trouvée. Les pages web viennent de la barre personnelle de Firefox et de la barre de favoris de Chrome et de Chromium, si le navigateur est installé.</translation>
    </message>
    <message>
        <source>Add Drawing</source>
        <translation>Ajouter un dessin</translation>
    </message>
    <message>
        <source>Add another drawing to the gesture</source>
        <translation>Ajouter un autre dessin au geste</translation>
    </message>
    <message>
        <source>Show the gesture, one drawing at each press</source>
        <translation>Montrer le geste, un dessin à chaque pression</translation>
    </message>
    <message>
        <source>Nothing was drawn, so no drawing was added. Press Add Drawing and draw within four seconds.</source>
        <translation>Rien n’a été dessiné, aucun dessin n’a donc été ajouté. Appuyez sur Ajouter un dessin et dessinez dans les quatre secondes.</translation>
    </message>
    <message>
        <source>Not added: the drawing is too short to tell apart. Press Add Drawing and draw a longer gesture.</source>
        <translation>Non ajouté : le dessin est trop court pour être distingué. Appuyez sur Ajouter un dessin et dessinez un geste plus long.</translation>
    </message>
    <message>
        <source>Not added: %1.</source>
        <translation>Non ajouté : %1.</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureSheetWindow</name>
    <message>
        <source>Clear Gesture</source>
        <translation>Effacer le geste</translation>
    </message>
    <message>
        <source>My Gestures</source>
        <translation>Mes gestes</translation>
    </message>
    <message>
        <source>Search by name</source>
        <translation>Rechercher par nom</translation>
    </message>
    <message>
        <source>Stored gestures</source>
        <translation>Gestes enregistrés</translation>
    </message>
    <message>
        <source>Gesture</source>
        <translation>Geste</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Cible</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Remarque</translation>
    </message>
    <message>
        <source>Selected gesture</source>
        <translation>Geste sélectionné</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>No gestures are stored yet.</source>
        <translation>Aucun geste n’est encore enregistré.</translation>
    </message>
    <message>
        <source>No gesture&apos;s name holds “%1”.</source>
        <translation>Aucun nom de geste ne contient « %1 ».</translation>
    </message>
    <message>
        <source>1 gesture</source>
        <translation>1 geste</translation>
    </message>
    <message>
        <source>%1 gestures</source>
        <translation>%1 gestes</translation>
    </message>
    <message>
        <source>Drawing for %1</source>
        <translation>Dessin pour %1</translation>
    </message>
    <message>
        <source>The gesture for %1 was not cleared: %2</source>
        <translation>Le geste pour %1 n’a pas été effacé : %2</translation>
    </message>
    <message>
        <source>Cleared the gesture for %1.</source>
        <translation>Le geste pour %1 a été effacé.</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>Effacer la recherche</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>The gesture for %1 was not brought back: %2</source>
        <translation>Le geste pour %1 n’a pas été rétabli : %2</translation>
    </message>
    <message>
        <source>Brought back the gesture for %1.</source>
        <translation>Le geste pour %1 a été rétabli.</translation>
    </message>
    <message>
        <source>Choose a gesture in the list to see its drawing here.</source>
        <translation>Choisissez un geste dans la liste pour voir son dessin ici.</translation>
    </message>
    <message>
        <source>Empty list</source>
        <translation>Liste vide</translation>
    </message>
    <message>
        <source>Remove Drawing</source>
        <translation>Retirer le dessin</translation>
    </message>
    <message>
        <source>Drawings</source>
        <translation>Dessins</translation>
    </message>
    <message>
        <source>Drawing shown</source>
        <translation>Dessin affiché</translation>
    </message>
    <message>
        <source>Remove the drawing shown from its gesture</source>
        <translation>Retirer le dessin affiché de son geste</translation>
    </message>
    <message>
        <source>Drawing %1 of %2</source>
        <translation>Dessin %1 sur %2</translation>
    </message>
    <message>
        <source>Drawing %1 of %2 for %3</source>
        <translation>Dessin %1 sur %2 pour %3</translation>
    </message>
    <message>
        <source>The drawing was not removed: %1</source>
        <translation>Le dessin n’a pas été retiré : %1</translation>
    </message>
    <message>
        <source>Removed a drawing.</source>
        <translation>Un dessin retiré.</translation>
    </message>
</context>
<context>
    <name>scriblo::LastDrawingWindow</name>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Last Drawing</source>
        <translation>Dernier dessin</translation>
    </message>
    <message>
        <source>Last drawing</source>
        <translation>Dernier dessin</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Closest gestures:</source>
        <translation>Gestes les plus proches :</translation>
    </message>
    <message>
        <source>Nothing drawn yet: the next gesture you draw shows here.</source>
        <translation>Rien n’est encore dessiné : le prochain geste que vous dessinez s’affiche ici.</translation>
    </message>
    <message>
        <source>The drawing you made last</source>
        <translation>Votre dernier dessin</translation>
    </message>
    <message>
        <source>It launched %1 (%2%).</source>
        <translation>Il a lancé %1 (%2&#xa0;%).</translation>
    </message>
    <message>
        <source>It launched nothing: %1 came closest with %2%, and %3% is needed.</source>
        <translation>Il n’a rien lancé : %1 était le plus proche avec %2&#xa0;%, et il faut %3&#xa0;%.</translation>
    </message>
    <message>
        <source>It launched nothing: no stored gesture is like it.</source>
        <translation>Il n’a rien lancé : aucun geste enregistré ne lui ressemble.</translation>
    </message>
    <message>
        <source>It matched %1, which could not be launched.</source>
        <translation>Il correspondait à %1, qui n’a pas pu être lancé.</translation>
    </message>
    <message>
        <source>%1 – %2%</source>
        <comment>a gesture the last drawing is like: name, score</comment>
        <translation>%1 – %2&#xa0;%</translation>
    </message>
    <message>
        <source>Add to %1</source>
        <translation>Ajouter à %1</translation>
    </message>
    <message>
        <source>%1 keeps as many drawings as it can</source>
        <translation>%1 a déjà autant de dessins qu’un geste peut en avoir</translation>
    </message>
    <message>
        <source>Add this drawing to the gesture for %1</source>
        <translation>Ajouter ce dessin au geste de %1</translation>
    </message>
    <message>
        <source>the drawing is too short to tell apart</source>
        <translation>le dessin est trop court pour être distingué</translation>
    </message>
    <message>
        <source>Not added to %1: %2.</source>
        <translation>Non ajouté à %1 : %2.</translation>
    </message>
    <message>
        <source>Added the drawing to %1.</source>
        <translation>Dessin ajouté à %1.</translation>
    </message>
    <message>
        <source>The drawing was not taken back from %1: %2</source>
        <translation>Le dessin n’a pas été repris de %1 : %2</translation>
    </message>
    <message>
        <source>Took the drawing back from %1.</source>
        <translation>Dessin repris de %1.</translation>
    </message>
    <message>
        <source>Take the drawing back from %1</source>
        <translation>Reprendre le dessin de %1</translation>
    </message>
</context>
<context>
    <name>scriblo::LaunchableArrayModel</name>
    <message>
        <source>Has a gesture</source>
        <translation>A un geste</translation>
    </message>
</context>
<context>
    <name>scriblo::TrayStatusItem</name>
    <message>
        <source>Scriblo menu</source>
        <translation>Menu de Scriblo</translation>
    </message>
    <message>
        <source>Scriblo: draw a gesture to launch</source>
        <translation>Scriblo&#xa0;: dessinez un geste pour lancer</translation>
    </message>
    <message>
        <source>&amp;Setup…</source>
        <translation>&amp;Configurer…</translation>
    </message>
</context>
</TS>
