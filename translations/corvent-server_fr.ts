<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CorventServer</name>
    <message>
        <source>the window program %1 is not installed; use --headless</source>
        <translation>le programme de fenêtre %1 n&apos;est pas installé ; utilisez --headless</translation>
    </message>
    <message>
        <source>cannot start %1: %2</source>
        <translation>impossible de lancer %1 : %2</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>argument inattendu « %1 »</translation>
    </message>
    <message>
        <source>--headless is CorventServer&apos;s own option</source>
        <translation>--headless est une option propre à CorventServer</translation>
    </message>
</context>
<context>
    <name>HeadlessFront</name>
    <message>
        <source>cannot watch for stop signals</source>
        <translation>impossible de surveiller les signaux d&apos;arrêt</translation>
    </message>
    <message>
        <source>cannot listen on port %1: %2</source>
        <translation>impossible d&apos;écouter sur le port %1 : %2</translation>
    </message>
    <message>
        <source>the browser piano is at http://HOST:%1/</source>
        <translation>le piano pour navigateur est à http://HOST:%1/</translation>
    </message>
</context>
<context>
    <name>ServerOptions</name>
    <message>
        <source>Relays the notes, instruments and chat of up to eight Tamber Piano players on TCP port 9050.

Window mode (the default) shows the Corvent Server window; the service listens once Start is pressed.
Headless mode (--headless) needs no display: it listens at once, prints the eight-line user list to standard output each time it changes, and stops on SIGTERM or SIGINT.

With --web PORT it also serves the browser piano at http://HOST:PORT/: players in a web browser take the same eight seats.

A player who sends faster than the rates below is slowed down, not cut off: the server reads that player&apos;s connection later, so nothing is lost and the others notice nothing. A player whose program stops reading is disconnected once 1 MiB waits for it and it has taken nothing for five seconds.</source>
        <translation>Relaie les notes, les instruments et le chat de huit joueurs de Tamber Piano au plus sur le port TCP 9050.

Le mode fenêtre (par défaut) affiche la fenêtre de Corvent Server ; le service écoute dès que l&apos;on appuie sur Démarrer.
Le mode sans affichage (--headless) n&apos;a besoin d&apos;aucun écran : il écoute aussitôt, écrit la liste des utilisateurs sur huit lignes sur la sortie standard à chaque changement et s&apos;arrête sur SIGTERM ou SIGINT.

Avec --web PORT, il sert aussi le piano pour navigateur à http://HOST:PORT/ : les joueurs dans un navigateur web prennent les mêmes huit places.

Un joueur qui envoie plus vite que les débits ci-dessous est ralenti, pas coupé : le serveur lit sa connexion plus tard, rien n&apos;est perdu et les autres ne remarquent rien. Un joueur dont le programme cesse de lire est déconnecté dès que 1 Mio l&apos;attend et qu&apos;il n&apos;a rien pris pendant cinq secondes.</translation>
    </message>
    <message>
        <source>notes and instrument changes</source>
        <translation>notes et changements d&apos;instrument</translation>
    </message>
    <message>
        <source>chat lines</source>
        <translation>lignes de chat</translation>
    </message>
    <message>
        <source>&quot;/name&quot; commands</source>
        <translation>commandes « /name »</translation>
    </message>
    <message>
        <source>Run without a window: serve at once, print the user list to standard output, stop on SIGTERM or SIGINT.</source>
        <translation>Fonctionner sans fenêtre : servir aussitôt, écrire la liste des utilisateurs sur la sortie standard, s&apos;arrêter sur SIGTERM ou SIGINT.</translation>
    </message>
    <message>
        <source>Also serve the browser piano on this TCP port: the page at / and its WebSocket at /ws (default: no web port).</source>
        <translation>Servir aussi le piano pour navigateur sur ce port TCP : la page à / et son WebSocket à /ws (par défaut : aucun port web).</translation>
    </message>
    <message>
        <source>Also let pages from this origin (as https://piano.example.org) open the WebSocket; repeat for more, or * for any. The page&apos;s own host always may, unless none is given too (a page served only through a proxy).</source>
        <translation>Laisser aussi les pages de cette origine (comme https://piano.example.org) ouvrir le WebSocket ; répéter pour en ajouter, ou * pour toutes. L&apos;hôte de la page le peut toujours, sauf si none est aussi donné (une page servie uniquement par un proxy).</translation>
    </message>
    <message>
        <source>How many %1 one player may send per second (default %2).</source>
        <translation>Combien de %1 un joueur peut envoyer par seconde (par défaut : %2).</translation>
    </message>
    <message>
        <source>How many %1 one player may send at once, above the rate (default %2).</source>
        <translation>Combien de %1 un joueur peut envoyer d&apos;un coup, au-delà du débit (par défaut : %2).</translation>
    </message>
    <message>
        <source>--%1 wants a number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 attend un nombre d&apos;au moins %2, pas « %3 »</translation>
    </message>
    <message>
        <source>--web wants a port from 1 to 65535 other than %1, not &quot;%2&quot;</source>
        <translation>--web attend un port de 1 à 65535 autre que %1, pas « %2 »</translation>
    </message>
    <message>
        <source>--web-origin wants an origin such as https://piano.example.org, * or none, not &quot;%1&quot;</source>
        <translation>--web-origin attend une origine comme https://piano.example.org, * ou none, pas « %1 »</translation>
    </message>
    <message>
        <source>--web-origin needs --web</source>
        <translation>--web-origin nécessite --web</translation>
    </message>
</context>
<context>
    <name>tamber::server::frmServer</name>
    <message>
        <source>Connected Users</source>
        <translation>Utilisateurs connectés</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Cannot listen on port %1: %2</source>
        <translation>Impossible d&apos;écouter sur le port %1 : %2</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Erreur</translation>
    </message>
</context>
</TS>
