<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>DemoTour</name>
    <message>
        <source>trash</source>
        <comment>typed into the search field; a word of the built-in script &apos;Empty Trash&apos; as translated</comment>
        <translation>papelera</translation>
    </message>
</context>
<context>
    <name>GestureSheet</name>
    <message>
        <source>%1 (continued)</source>
        <translation>%1 (continuación)</translation>
    </message>
    <message>
        <source>No gestures are stored yet. Assign one in the setup window.</source>
        <translation>Aún no hay gestos guardados. Asigne uno en la ventana de configuración.</translation>
    </message>
    <message>
        <source>Scriblo Gestures</source>
        <translation>Gestos de Scriblo</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Página %1 de %2</translation>
    </message>
</context>
<context>
    <name>GestureSheetContents</name>
    <message>
        <source>Unavailable</source>
        <translation>No disponibles</translation>
    </message>
    <message>
        <source>No longer on this computer</source>
        <translation>Ya no está en este equipo</translation>
    </message>
    <message>
        <source>Cannot run: the script is not executable</source>
        <translation>No se puede ejecutar: el script no es ejecutable</translation>
    </message>
    <message>
        <source>Out of reach now: hidden, or on a disk that is not mounted</source>
        <translation>Fuera de alcance ahora: oculto o en un disco sin montar</translation>
    </message>
    <message>
        <source>Its browser is not installed</source>
        <translation>El navegador de esta página no está instalado</translation>
    </message>
</context>
<context>
    <name>GoneGestureRemoval</name>
    <message>
        <source>Gesture removed</source>
        <translation>Gesto eliminado</translation>
    </message>
    <message>
        <source>The target of the gesture “%1” is gone, so the gesture was removed. It is kept in %2: “scriblo gestures import %2” brings it back.</source>
        <translation>El destino del gesto «%1» ya no existe, así que el gesto se ha eliminado. Se conserva en %2: «scriblo gestures import %2» lo recupera.</translation>
    </message>
</context>
<context>
    <name>MoveApplication</name>
    <message>
        <source>Move to Applications folder in your Home folder?</source>
        <translation>¿Mover a la carpeta «Applications» de su carpeta personal?</translation>
    </message>
    <message>
        <source>Move to Applications folder?</source>
        <translation>¿Mover a la carpeta «Applications»?</translation>
    </message>
    <message>
        <source>I can move myself to the Applications folder if you&apos;d like.</source>
        <translation>Si lo desea, puedo moverme yo mismo a la carpeta «Applications».</translation>
    </message>
    <message>
        <source>Note that this will require an administrator password.</source>
        <translation>Tenga en cuenta que esto requerirá una contraseña de administrador.</translation>
    </message>
    <message>
        <source>This will keep your Downloads folder uncluttered.</source>
        <translation>Así su carpeta de descargas se mantendrá ordenada.</translation>
    </message>
    <message>
        <source>Move to Applications Folder</source>
        <translation>Mover a «Applications»</translation>
    </message>
    <message>
        <source>Do Not Move</source>
        <translation>No mover</translation>
    </message>
    <message>
        <source>Do not show this message again</source>
        <translation>No volver a mostrar este mensaje</translation>
    </message>
    <message>
        <source>Could not move to Applications folder</source>
        <translation>No se pudo mover a la carpeta «Applications»</translation>
    </message>
</context>
<context>
    <name>SetupSettingsControls</name>
    <message>
        <source>Takes %1 to %2</source>
        <translation>Acepta de %1 a %2</translation>
    </message>
</context>
<context>
    <name>scriblo::BuiltInScripts</name>
    <message>
        <source>Empty Trash</source>
        <translation>Vaciar la papelera</translation>
    </message>
    <message>
        <source>Lock Screen</source>
        <translation>Bloquear la pantalla</translation>
    </message>
    <message>
        <source>Log Out</source>
        <translation>Cerrar la sesión</translation>
    </message>
    <message>
        <source>Open Home Folder</source>
        <translation>Abrir la carpeta personal</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>Suspender</translation>
    </message>
</context>
<context>
    <name>scriblo::CommandMenu</name>
    <message>
        <source>My &amp;Gestures…</source>
        <translation>Mis &amp;gestos…</translation>
    </message>
    <message>
        <source>&amp;Import Gestures…</source>
        <translation>&amp;Importar gestos…</translation>
    </message>
    <message>
        <source>&amp;Export Gestures…</source>
        <translation>E&amp;xportar gestos…</translation>
    </message>
    <message>
        <source>Explain &amp;Misses</source>
        <translation>Explicar los &amp;fallos</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>&amp;Last Drawing…</source>
        <translation>Último &amp;dibujo…</translation>
    </message>
</context>
<context>
    <name>scriblo::ConflictWarningBar</name>
    <message>
        <source>Assign Anyway</source>
        <translation>Asignar de todos modos</translation>
    </message>
    <message>
        <source>Draw Again</source>
        <translation>Dibujar de nuevo</translation>
    </message>
    <message>
        <source>Gesture conflict</source>
        <translation>Conflicto de gestos</translation>
    </message>
    <message>
        <source>Conflict warning</source>
        <translation>Aviso de conflicto</translation>
    </message>
    <message>
        <source>This looks like the gesture for %1 (%2%).</source>
        <translation>Esto parece el gesto de %1 (%2&#xa0;%).</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nuevo</translation>
    </message>
    <message>
        <source>Stored</source>
        <translation>Guardado</translation>
    </message>
    <message>
        <source>The gesture for %1</source>
        <translation>El gesto de %1</translation>
    </message>
</context>
<context>
    <name>scriblo::CustomScriptsNotice</name>
    <message>
        <source>Custom Scripts</source>
        <translation>Scripts personalizados</translation>
    </message>
    <message>
        <source>Custom scripts notice</source>
        <translation>Aviso sobre los scripts personalizados</translation>
    </message>
    <message>
        <source>Cool!</source>
        <translation>¡Genial!</translation>
    </message>
    <message>
        <source>You can add your own scripts to this list by placing executable files in the folder below.</source>
        <translation>Puede añadir sus propios scripts a esta lista colocando archivos ejecutables en la carpeta siguiente.</translation>
    </message>
</context>
<context>
    <name>scriblo::DrawingNumberBar</name>
    <message>
        <source>Remove Drawing</source>
        <translation>Quitar dibujo</translation>
    </message>
    <message>
        <source>Drawing shown</source>
        <translation>Dibujo mostrado</translation>
    </message>
    <message>
        <source>Drawing %1 of %2</source>
        <translation>Dibujo %1 de %2</translation>
    </message>
    <message>
        <source>Remove drawing %1 of %2 from the gesture</source>
        <translation>Quitar el dibujo %1 de %2 del gesto</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureFileTransfer</name>
    <message>
        <source>Gesture files (*.json)</source>
        <translation>Archivos de gestos (*.json)</translation>
    </message>
    <message>
        <source>Export Gestures</source>
        <translation>Exportar gestos</translation>
    </message>
    <message>
        <source>The gestures were not exported.</source>
        <translation>Los gestos no se exportaron.</translation>
    </message>
    <message>
        <source>Gestures exported</source>
        <translation>Gestos exportados</translation>
    </message>
    <message>
        <source>Every stored gesture was written to %1.</source>
        <translation>Todos los gestos guardados se escribieron en %1.</translation>
    </message>
    <message>
        <source>Import Gestures</source>
        <translation>Importar gestos</translation>
    </message>
    <message>
        <source>The file cannot be imported.</source>
        <translation>El archivo no se puede importar.</translation>
    </message>
    <message>
        <source>Nothing was imported.</source>
        <translation>No se importó nada.</translation>
    </message>
    <message>
        <source>Gestures imported</source>
        <translation>Gestos importados</translation>
    </message>
    <message>
        <source>Added: %1. Replaced: %2.</source>
        <translation>Añadidos: %1. Reemplazados: %2.</translation>
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
        <translation>Gestos en %1:</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Summary</source>
        <translation>Resumen</translation>
    </message>
    <message>
        <source>Gestures in the file</source>
        <translation>Gestos del archivo</translation>
    </message>
    <message>
        <source>Gesture</source>
        <translation>Gesto</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Destino</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importar</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>%1 to add, %2 to replace, %3 to skip.</source>
        <translation>%1 para añadir, %2 para reemplazar, %3 para omitir.</translation>
    </message>
    <message>
        <source>Look-alikes of another target&apos;s gesture: %1.</source>
        <translation>Parecidos al gesto de otro destino: %1.</translation>
    </message>
    <message>
        <source>Drawing for %1</source>
        <translation>Dibujo para %1</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Reemplazar</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Omitir</translation>
    </message>
    <message>
        <source>Already stored with this drawing</source>
        <translation>Ya guardado con este dibujo</translation>
    </message>
    <message>
        <source>A later gesture in the file has the same target</source>
        <translation>Un gesto posterior del archivo tiene el mismo destino</translation>
    </message>
    <message>
        <source>Cannot be stored: %1</source>
        <translation>No se puede guardar: %1</translation>
    </message>
    <message>
        <source>Looks like %1 (%2%)</source>
        <translation>Se parece a %1 (%2&#xa0;%)</translation>
    </message>
    <message>
        <source>Import Gestures from %1</source>
        <translation>Importar gestos de %1</translation>
    </message>
    <message>
        <source>Looking for look-alikes: %1 of %2…</source>
        <translation>Buscando parecidos: %1 de %2…</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureRecognitionController</name>
    <message>
        <source>Could not be started</source>
        <translation>No se pudo iniciar</translation>
    </message>
    <message>
        <source>Its target is gone, so the gesture was removed</source>
        <translation>Su destino ya no existe, así que el gesto se ha eliminado</translation>
    </message>
    <message>
        <source>Its target is gone</source>
        <translation>Su destino ya no existe</translation>
    </message>
    <message>
        <source>Cannot run: the script is not executable</source>
        <translation>No se puede ejecutar: el script no es ejecutable</translation>
    </message>
    <message>
        <source>Its target cannot be found now</source>
        <translation>Su destino no se encuentra ahora</translation>
    </message>
    <message>
        <source>%1 – %2% (needs %3%)</source>
        <translation>%1 – %2&#xa0;% (se necesita %3&#xa0;%)</translation>
    </message>
    <message>
        <source>%1 – %2%</source>
        <comment>the best match while drawing: name, score</comment>
        <translation>%1 – %2&#xa0;%</translation>
    </message>
    <message>
        <source>Reading your gestures…</source>
        <translation>Leyendo sus gestos…</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureRecognitionView</name>
    <message>
        <source>Drawing area</source>
        <translation>Área de dibujo</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureRecognitionWindow</name>
    <message>
        <source>Launched target&apos;s icon</source>
        <translation>Icono del destino iniciado</translation>
    </message>
    <message>
        <source>Launched target</source>
        <translation>Destino iniciado</translation>
    </message>
    <message>
        <source>Best match&apos;s icon</source>
        <translation>Icono de la mejor coincidencia</translation>
    </message>
    <message>
        <source>Best match so far</source>
        <translation>Mejor coincidencia hasta ahora</translation>
    </message>
    <message>
        <source>Gesture drawing window</source>
        <translation>Ventana de dibujo del gesto</translation>
    </message>
    <message>
        <source>Scriblo</source>
        <translation>Scriblo</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Fondo</translation>
    </message>
    <message>
        <source>Why the target did not start</source>
        <translation>Por qué no se inició el destino</translation>
    </message>
    <message>
        <source>Add to Gesture</source>
        <translation>Añadir al gesto</translation>
    </message>
    <message>
        <source>Add to %1</source>
        <translation>Añadir a %1</translation>
    </message>
    <message>
        <source>Add this drawing to the gesture for %1</source>
        <translation>Añadir este dibujo al gesto de %1</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureSetupWindow</name>
    <message>
        <source>Scriblo Setup</source>
        <translation>Configuración de Scriblo</translation>
    </message>
    <message>
        <source>Scriblo setup</source>
        <translation>Configuración de Scriblo</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Fondo</translation>
    </message>
    <message>
        <source>No tray area was found: run scriblo again to show or hide this window.</source>
        <translation>No se ha encontrado el área de notificación: vuelva a ejecutar scriblo para mostrar u ocultar esta ventana.</translation>
    </message>
    <message>
        <source>Tray hint</source>
        <translation>Aviso sobre el área de notificación</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Aplicaciones</translation>
    </message>
    <message>
        <source>Web Pages</source>
        <translation>Páginas web</translation>
    </message>
    <message>
        <source>Scripts</source>
        <translation>Scripts</translation>
    </message>
    <message>
        <source>Utilities</source>
        <translation>Utilidades</translation>
    </message>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>Kind of target</source>
        <translation>Tipo de destino</translation>
    </message>
    <message>
        <source>Targets</source>
        <translation>Destinos</translation>
    </message>
    <message>
        <source>Drawing area</source>
        <translation>Área de dibujo</translation>
    </message>
    <message>
        <source>Drawing prompt</source>
        <translation>Indicación para dibujar</translation>
    </message>
    <message>
        <source>Assign</source>
        <translation>Asignar</translation>
    </message>
    <message>
        <source>Assign a gesture</source>
        <translation>Asignar un gesto</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Mostrar</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Borrar</translation>
    </message>
    <message>
        <source>Clear the gesture</source>
        <translation>Borrar el gesto</translation>
    </message>
    <message>
        <source>Minimum recognition score</source>
        <translation>Puntuación mínima de reconocimiento</translation>
    </message>
    <message>
        <source>Reading delay time</source>
        <translation>Espera antes del reconocimiento</translation>
    </message>
    <message>
        <source>Minimum score (%)</source>
        <translation>Puntuación mínima (%)</translation>
    </message>
    <message>
        <source>Reading delay (ms)</source>
        <translation>Espera (ms)</translation>
    </message>
    <message>
        <source>Draw with:</source>
        <translation>Dibujar con:</translation>
    </message>
    <message>
        <source>Touchpad</source>
        <translation>Panel táctil</translation>
    </message>
    <message>
        <source>Draw on the touchpad instead of with the mouse</source>
        <translation>Dibujar en el panel táctil en lugar de con el ratón</translation>
    </message>
    <message>
        <source>Full screen drawing</source>
        <translation>Pantalla completa</translation>
    </message>
    <message>
        <source>Full screen recognition window</source>
        <translation>Ventana de reconocimiento a pantalla completa</translation>
    </message>
    <message>
        <source>Quickdraw</source>
        <translation>Dibujo rápido</translation>
    </message>
    <message>
        <source>Quickdraw with three fingers</source>
        <translation>Dibujo rápido con tres dedos</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Al iniciar sesión</translation>
    </message>
    <message>
        <source>Assign message</source>
        <translation>Mensaje de asignación</translation>
    </message>
    <message>
        <source>Nothing was drawn, so no gesture was saved. Press Assign and draw within four seconds.</source>
        <translation>No se dibujó nada, así que no se guardó ningún gesto. Pulse Asignar y dibuje en menos de cuatro segundos.</translation>
    </message>
    <message>
        <source>Not saved: the drawing is too short to tell apart. Press Assign and draw a longer gesture.</source>
        <translation>No guardado: el dibujo es demasiado corto para distinguirlo. Pulse Asignar y dibuje un gesto más largo.</translation>
    </message>
    <message>
        <source>Not saved: Scriblo already keeps %1 gestures, as many as it can. Clear one you no longer use, then assign again.</source>
        <translation>No guardado: Scriblo ya guarda %1 gestos, tantos como puede. Borre uno que ya no use y vuelva a asignar.</translation>
    </message>
    <message>
        <source>Not saved: %1.</source>
        <translation>No guardado: %1.</translation>
    </message>
    <message>
        <source>The gesture works now, but it could not be written to disk and may be gone after Scriblo quits.</source>
        <translation>El gesto ya funciona, pero no se pudo escribir en el disco y puede perderse al cerrar Scriblo.</translation>
    </message>
    <message>
        <source>Draw now!</source>
        <translation>¡Dibuje ahora!</translation>
    </message>
    <message>
        <source>Draw here!</source>
        <translation>¡Dibuje aquí!</translation>
    </message>
    <message>
        <source>More…</source>
        <translation>Más…</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Bring back the gesture for %1</source>
        <translation>Recuperar el gesto de %1</translation>
    </message>
    <message>
        <source>No applications were found among the desktop&apos;s menu entries.</source>
        <translation>No se encontraron aplicaciones entre las entradas de menú del escritorio.</translation>
    </message>
    <message>
        <source>No utilities were found among the desktop&apos;s menu entries.</source>
        <translation>No se encontraron utilidades entre las entradas de menú del escritorio.</translation>
    </message>
    <message>
        <source>No system tools were found among the desktop&apos;s menu entries.</source>
        <translation>No se encontraron herramientas del sistema entre las entradas de menú del escritorio.</translation>
    </message>
    <message>
        <source>No scripts yet. Executable files in Scriblo&apos;s Scripts folder are listed here.</source>
        <translation>Todavía no hay scripts. Aquí aparecen los archivos ejecutables de la carpeta Scripts de Scriblo.</translation>
    </message>
    <message>
        <source>Empty list</source>
        <translation>Lista vacía</translation>
    </message>
    <message>
        <source>No bookmarked pages were found. Web pages come from the bookmarks toolbar of Firefox and the bookmarks bar of Chrome and Chromium, where the browser is installed.</source>
        <translation>No se encontraron páginas en marcadores. Las páginas web provienen de la barra de marcadores de Firefox y de la barra de marcadores de Chrome y Chromium, si el navegador está instalado.</translation>
    </message>
    <message>
        <source>Add Drawing</source>
        <translation>Añadir dibujo</translation>
    </message>
    <message>
        <source>Add another drawing to the gesture</source>
        <translation>Añadir otro dibujo al gesto</translation>
    </message>
    <message>
        <source>Show the gesture, one drawing at each press</source>
        <translation>Mostrar el gesto, un dibujo en cada pulsación</translation>
    </message>
    <message>
        <source>Nothing was drawn, so no drawing was added. Press Add Drawing and draw within four seconds.</source>
        <translation>No se dibujó nada, así que no se añadió ningún dibujo. Pulse Añadir dibujo y dibuje en menos de cuatro segundos.</translation>
    </message>
    <message>
        <source>Not added: the drawing is too short to tell apart. Press Add Drawing and draw a longer gesture.</source>
        <translation>No añadido: el dibujo es demasiado corto para distinguirlo. Pulse Añadir dibujo y dibuje un gesto más largo.</translation>
    </message>
    <message>
        <source>Not added: %1.</source>
        <translation>No añadido: %1.</translation>
    </message>
</context>
<context>
    <name>scriblo::GestureSheetWindow</name>
    <message>
        <source>Clear Gesture</source>
        <translation>Borrar gesto</translation>
    </message>
    <message>
        <source>My Gestures</source>
        <translation>Mis gestos</translation>
    </message>
    <message>
        <source>Search by name</source>
        <translation>Buscar por nombre</translation>
    </message>
    <message>
        <source>Stored gestures</source>
        <translation>Gestos guardados</translation>
    </message>
    <message>
        <source>Gesture</source>
        <translation>Gesto</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Destino</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>Selected gesture</source>
        <translation>Gesto seleccionado</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>No gestures are stored yet.</source>
        <translation>Aún no hay gestos guardados.</translation>
    </message>
    <message>
        <source>No gesture&apos;s name holds “%1”.</source>
        <translation>Ningún nombre de gesto contiene «%1».</translation>
    </message>
    <message>
        <source>1 gesture</source>
        <translation>1 gesto</translation>
    </message>
    <message>
        <source>%1 gestures</source>
        <translation>%1 gestos</translation>
    </message>
    <message>
        <source>Drawing for %1</source>
        <translation>Dibujo para %1</translation>
    </message>
    <message>
        <source>The gesture for %1 was not cleared: %2</source>
        <translation>El gesto para %1 no se borró: %2</translation>
    </message>
    <message>
        <source>Cleared the gesture for %1.</source>
        <translation>Se borró el gesto para %1.</translation>
    </message>
    <message>
        <source>Clear search</source>
        <translation>Borrar la búsqueda</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>The gesture for %1 was not brought back: %2</source>
        <translation>El gesto para %1 no se recuperó: %2</translation>
    </message>
    <message>
        <source>Brought back the gesture for %1.</source>
        <translation>Se recuperó el gesto para %1.</translation>
    </message>
    <message>
        <source>Choose a gesture in the list to see its drawing here.</source>
        <translation>Elija un gesto de la lista para ver aquí su dibujo.</translation>
    </message>
    <message>
        <source>Empty list</source>
        <translation>Lista vacía</translation>
    </message>
    <message>
        <source>Remove Drawing</source>
        <translation>Quitar dibujo</translation>
    </message>
    <message>
        <source>Drawings</source>
        <translation>Dibujos</translation>
    </message>
    <message>
        <source>Drawing shown</source>
        <translation>Dibujo mostrado</translation>
    </message>
    <message>
        <source>Remove the drawing shown from its gesture</source>
        <translation>Quitar el dibujo mostrado de su gesto</translation>
    </message>
    <message>
        <source>Drawing %1 of %2</source>
        <translation>Dibujo %1 de %2</translation>
    </message>
    <message>
        <source>Drawing %1 of %2 for %3</source>
        <translation>Dibujo %1 de %2 para %3</translation>
    </message>
    <message>
        <source>The drawing was not removed: %1</source>
        <translation>El dibujo no se quitó: %1</translation>
    </message>
    <message>
        <source>Removed a drawing.</source>
        <translation>Se quitó un dibujo.</translation>
    </message>
</context>
<context>
    <name>scriblo::LastDrawingWindow</name>
    <message>
        <source>Undo</source>
        <translation>Deshacer</translation>
    </message>
    <message>
        <source>Last Drawing</source>
        <translation>Último dibujo</translation>
    </message>
    <message>
        <source>Last drawing</source>
        <translation>Último dibujo</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Resultado</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Closest gestures:</source>
        <translation>Gestos más parecidos:</translation>
    </message>
    <message>
        <source>Nothing drawn yet: the next gesture you draw shows here.</source>
        <translation>Aún no se ha dibujado nada: el próximo gesto que dibuje aparecerá aquí.</translation>
    </message>
    <message>
        <source>The drawing you made last</source>
        <translation>Su último dibujo</translation>
    </message>
    <message>
        <source>It launched %1 (%2%).</source>
        <translation>Abrió %1 (%2&#xa0;%).</translation>
    </message>
    <message>
        <source>It launched nothing: %1 came closest with %2%, and %3% is needed.</source>
        <translation>No abrió nada: %1 fue el más parecido con %2&#xa0;%, y se necesita %3&#xa0;%.</translation>
    </message>
    <message>
        <source>It launched nothing: no stored gesture is like it.</source>
        <translation>No abrió nada: ningún gesto guardado se le parece.</translation>
    </message>
    <message>
        <source>It matched %1, which could not be launched.</source>
        <translation>Coincidió con %1, que no se pudo abrir.</translation>
    </message>
    <message>
        <source>%1 – %2%</source>
        <comment>a gesture the last drawing is like: name, score</comment>
        <translation>%1 – %2&#xa0;%</translation>
    </message>
    <message>
        <source>Add to %1</source>
        <translation>Añadir a %1</translation>
    </message>
    <message>
        <source>%1 keeps as many drawings as it can</source>
        <translation>%1 ya tiene tantos dibujos como puede tener un gesto</translation>
    </message>
    <message>
        <source>Add this drawing to the gesture for %1</source>
        <translation>Añadir este dibujo al gesto de %1</translation>
    </message>
    <message>
        <source>the drawing is too short to tell apart</source>
        <translation>el dibujo es demasiado corto para distinguirlo</translation>
    </message>
    <message>
        <source>Not added to %1: %2.</source>
        <translation>No se añadió a %1: %2.</translation>
    </message>
    <message>
        <source>Added the drawing to %1.</source>
        <translation>Se añadió el dibujo a %1.</translation>
    </message>
    <message>
        <source>The drawing was not taken back from %1: %2</source>
        <translation>El dibujo no se retiró de %1: %2</translation>
    </message>
    <message>
        <source>Took the drawing back from %1.</source>
        <translation>Se retiró el dibujo de %1.</translation>
    </message>
    <message>
        <source>Take the drawing back from %1</source>
        <translation>Retirar el dibujo de %1</translation>
    </message>
</context>
<context>
    <name>scriblo::LaunchableArrayModel</name>
    <message>
        <source>Has a gesture</source>
        <translation>Tiene un gesto</translation>
    </message>
</context>
<context>
    <name>scriblo::TrayStatusItem</name>
    <message>
        <source>Scriblo menu</source>
        <translation>Menú de Scriblo</translation>
    </message>
    <message>
        <source>Scriblo: draw a gesture to launch</source>
        <translation>Scriblo: dibuje un gesto para iniciar</translation>
    </message>
    <message>
        <source>&amp;Setup…</source>
        <translation>&amp;Configurar…</translation>
    </message>
</context>
</TS>
