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
    <message>
        <source>Relays the notes, instruments and chat of Tamber Piano players on TCP port 9050 (or --port), in rooms of up to eight players each. A room is made when its first player joins it by name and goes once its last player leaves; a piano that names no room plays in the room &quot;main&quot;, as every piano before rooms did. In a room, the chat command &quot;/join NAME&quot; moves a player to another room and &quot;/rooms&quot; lists the rooms.

Window mode (the default) shows the Corvent Server window; the service listens once Start is pressed.
Headless mode (--headless) needs no display: it listens at once, prints a room&apos;s eight-line user list to standard output each time it changes (headed by &quot;Room NAME:&quot; for rooms other than main), and stops on SIGTERM or SIGINT.

With --web PORT it also serves the browser piano: the lobby at http://HOST:PORT/, a room&apos;s piano at /r/NAME/ (its WebSocket at /r/NAME/ws, or /ws for main) and the list of rooms at /rooms.json. Players in a web browser take seats in the same rooms.

A player who sends faster than the rates below is slowed down, not cut off: the server reads that player&apos;s connection later, so nothing is lost and the others notice nothing. A player whose program stops reading is disconnected once 1 MiB waits for it and it has taken nothing for five seconds.</source>
        <translation>Relaie les notes, les instruments et le chat des joueurs de Tamber Piano sur le port TCP 9050 (ou --port), dans des salons de huit joueurs au plus. Un salon naît quand son premier joueur le rejoint par son nom et disparaît quand son dernier joueur le quitte ; un piano qui ne nomme aucun salon joue dans le salon « main », comme tout piano d&apos;avant les salons. Dans un salon, la commande de chat « /join NOM » emmène un joueur dans un autre salon et « /rooms » liste les salons.

Le mode fenêtre (par défaut) affiche la fenêtre de Corvent Server ; le service écoute dès que l&apos;on appuie sur Démarrer.
Le mode sans affichage (--headless) n&apos;a besoin d&apos;aucun écran : il écoute aussitôt, écrit la liste des utilisateurs d&apos;un salon sur huit lignes sur la sortie standard à chaque changement (précédée de « Room NAME: » pour les salons autres que main) et s&apos;arrête sur SIGTERM ou SIGINT.

Avec --web PORT, il sert aussi le piano pour navigateur : l&apos;accueil à http://HOST:PORT/, le piano d&apos;un salon à /r/NAME/ (son WebSocket à /r/NAME/ws, ou /ws pour main) et la liste des salons à /rooms.json. Les joueurs dans un navigateur web prennent place dans les mêmes salons.

Un joueur qui envoie plus vite que les débits ci-dessous est ralenti, pas coupé : le serveur lit sa connexion plus tard, rien n&apos;est perdu et les autres ne remarquent rien. Un joueur dont le programme cesse de lire est déconnecté dès que 1 Mio l&apos;attend et qu&apos;il n&apos;a rien pris pendant cinq secondes.</translation>
    </message>
    <message>
        <source>Listen for pianos on this TCP port (default %1).</source>
        <translation>Attendre les pianos sur ce port TCP (par défaut %1).</translation>
    </message>
    <message>
        <source>How many rooms may be open at once; past it, a new room is refused (default %1).</source>
        <translation>Nombre de salons ouverts à la fois ; au-delà, un nouveau salon est refusé (par défaut %1).</translation>
    </message>
    <message>
        <source>Also serve the browser piano on this TCP port: the lobby at /, a room&apos;s piano at /r/NAME/ with its WebSocket at /r/NAME/ws (/ws is main&apos;s), the rooms at /rooms.json (default: no web port).</source>
        <translation>Servir aussi le piano pour navigateur sur ce port TCP : l&apos;accueil à /, le piano d&apos;un salon à /r/NAME/ avec son WebSocket à /r/NAME/ws (/ws est celui de main), les salons à /rooms.json (par défaut : aucun port web).</translation>
    </message>
    <message>
        <source>How many connections one IP address may hold, on both ports together; more are told why and closed before they take a seat (default %1; 0: no limit).</source>
        <translation>Nombre de connexions qu&apos;une adresse IP peut tenir, sur les deux ports ensemble ; les suivantes apprennent pourquoi et sont fermées avant de prendre place (par défaut %1 ; 0 : aucune limite).</translation>
    </message>
    <message>
        <source>How many connections the server holds in all (default %1).</source>
        <translation>Nombre total de connexions que tient le serveur (par défaut %1).</translation>
    </message>
    <message>
        <source>A reverse proxy in front of the web port, by IP address (repeat for more): its connections count as, and are listed as, the address it forwards (X-Forwarded-For or Forwarded). Those headers from anyone else are ignored.</source>
        <translation>Un proxy inverse devant le port web, par adresse IP (à répéter pour plusieurs) : ses connexions comptent comme l&apos;adresse qu&apos;il transmet (X-Forwarded-For ou Forwarded) et sont listées sous elle. Ces en-têtes venant de quiconque d&apos;autre sont ignorés.</translation>
    </message>
    <message>
        <source>--%1 wants a whole number of at least %2, not &quot;%3&quot;</source>
        <translation>--%1 attend un nombre entier d&apos;au moins %2, pas « %3 »</translation>
    </message>
    <message>
        <source>--trusted-proxy wants an IP address, not &quot;%1&quot;</source>
        <translation>--trusted-proxy attend une adresse IP, pas « %1 »</translation>
    </message>
    <message>
        <source>--port wants a port from 1 to 65535, not &quot;%1&quot;</source>
        <translation>--port attend un port de 1 à 65535, pas « %1 »</translation>
    </message>
    <message>
        <source>--max-rooms wants a number from 1 to 1000000, not &quot;%1&quot;</source>
        <translation>--max-rooms attend un nombre de 1 à 1000000, pas « %1 »</translation>
    </message>
</context>
<context>
    <name>VerboseLogging</name>
    <message>
        <source>Print debug messages to standard error as well: what each device, file and connection did.</source>
        <translation>Écrire aussi les messages de débogage sur la sortie d&apos;erreur standard : ce qu&apos;a fait chaque périphérique, fichier et connexion.</translation>
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
    <message>
        <source>&amp;Kick</source>
        <translation>&amp;Expulser</translation>
    </message>
    <message numerus="yes">
        <source>%n room</source>
        <translation>
            <numerusform>%n salon</numerusform>
            <numerusform>%n salons</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n rooms</source>
        <translation>
            <numerusform>%n salon</numerusform>
            <numerusform>%n salons</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n player</source>
        <translation>
            <numerusform>%n joueur</numerusform>
            <numerusform>%n joueurs</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n players</source>
        <translation>
            <numerusform>%n joueur</numerusform>
            <numerusform>%n joueurs</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <extracomment>The rooms counted, then the players counted, below the user list.</extracomment>
        <translation>%1, %2</translation>
    </message>
</context>
</TS>
